// The .docx writer fed hostile report lines: the document inside the package
// must stay well-formed XML.
#include "FuzzInput.h"
#include "charts/WordReport.h"

#include <QXmlStreamReader>
#include <zip.h>

namespace {
QByteArray documentXml(const QByteArray& package)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(package.constData(), package.size(), 0, &error);
    zip_t* archive = source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr;
    QByteArray xml;
    if (archive) {
        zip_stat_t st;
        zip_file_t* file = nullptr;
        if (zip_stat(archive, "word/document.xml", 0, &st) == 0 &&
            (file = zip_fopen(archive, "word/document.xml", 0))) {
            xml.resize(qsizetype(st.size));
            if (zip_fread(file, xml.data(), st.size) != zip_int64_t(st.size))
                xml.clear();
            zip_fclose(file);
        }
        zip_close(archive);
    } else if (source) {
        zip_source_free(source);
    }
    zip_error_fini(&error);
    return xml;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // UTF-16 straight from the bytes, so lone surrogates come through.
    const QString text(reinterpret_cast<const QChar*>(data), qsizetype(size / 2));
    WordReport::Content content =
        WordReport::contentOf(text.split(QLatin1Char('\n')), text.left(40));
    const QByteArray package = WordReport::docxBytes(content);
    if (package.isEmpty())
        return 0;
    QXmlStreamReader xml(documentXml(package));
    while (!xml.atEnd())
        xml.readNext();
    if (xml.hasError())
        __builtin_trap();
    return 0;
}
