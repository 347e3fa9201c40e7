#include "WordReport.h"

#include "charts/PictureOutput.h"
#include "platform/SafeFile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QXmlStreamWriter>

#include <algorithm>
#include <array>
#include <zip.h>

namespace WordReport {

namespace {

const char kW[] = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
const char kR[] = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
const char kWp[] = "http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing";
const char kA[] = "http://schemas.openxmlformats.org/drawingml/2006/main";
const char kPic[] = "http://schemas.openxmlformats.org/drawingml/2006/picture";
const char kPackageRels[] = "http://schemas.openxmlformats.org/package/2006/relationships";
const char kImageRel[] =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/image";

// The picture types a report can carry, by file suffix.
struct ImageType
{
    const char* suffix;
    const char* contentType;
    const char* readerFormat;
};
const ImageType kImageTypes[] = {
    {"bmp", "image/bmp", "BMP"},
    {"png", "image/png", "PNG"},
};

const ImageType* imageTypeOf(const QString& fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    for (const ImageType& t : kImageTypes) {
        if (suffix == QLatin1String(t.suffix))
            return &t;
    }
    return nullptr;
}

// Paragraph alignment and font size (in half points) as the document stores them.
struct Paragraph
{
    const char* align;
    int halfPoints;
    QString text;
    bool pictures = false;
};

QList<Paragraph> paragraphsOf(const Content& c)
{
    // Every text is bold; sizes are 20, 14 and, for the closing paragraph, 16 points.
    QList<Paragraph> ps = {
        {"center", 40, QString()},
        {"center", 40, c.heading},
        {"right", 28, c.byLine},
        {"both", 28, QString()},
    };
    for (const QString& line : c.body)
        ps.append({"both", 28, line});
    ps.append({"center", 28, QString()});
    ps.append({"center", 28, QString(), true});
    ps.append({"center", 28, QString()});
    ps.append({"both", 32, QString()});
    return ps;
}

// XML 1.0 has no place for control characters other than tab, nor for lone
// surrogates: a report line carrying one would make the document unreadable.
QString xmlSafe(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out += c;
            out += text[++i];
        } else if (c.isSurrogate() || (c.unicode() < 0x20 && c != QLatin1Char('\t')) ||
                   c.unicode() == 0xFFFE || c.unicode() == 0xFFFF) {
            continue;
        } else {
            out += c;
        }
    }
    return out;
}

void writeRunProperties(QXmlStreamWriter& x, int halfPoints)
{
    const QString size = QString::number(halfPoints);
    x.writeStartElement(QStringLiteral("w:rPr"));
    x.writeEmptyElement(QStringLiteral("w:b"));
    x.writeEmptyElement(QStringLiteral("w:bCs"));
    x.writeEmptyElement(QStringLiteral("w:sz"));
    x.writeAttribute(QStringLiteral("w:val"), size);
    x.writeEmptyElement(QStringLiteral("w:szCs"));
    x.writeAttribute(QStringLiteral("w:val"), size);
    x.writeEndElement();
}

void writeTextRun(QXmlStreamWriter& x, const QString& text, int halfPoints)
{
    x.writeStartElement(QStringLiteral("w:r"));
    writeRunProperties(x, halfPoints);
    const QStringList pieces = xmlSafe(text).split(QLatin1Char('\t'));
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (i > 0)
            x.writeEmptyElement(QStringLiteral("w:tab"));
        if (pieces[i].isEmpty())
            continue;
        x.writeStartElement(QStringLiteral("w:t"));
        x.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
        x.writeCharacters(pieces[i]);
        x.writeEndElement();
    }
    x.writeEndElement();
}

void writePictureRun(QXmlStreamWriter& x, int index, const QString& name, QSize extent,
                     int halfPoints)
{
    const QString id = QString::number(index);
    const QString cx = QString::number(extent.width());
    const QString cy = QString::number(extent.height());
    x.writeStartElement(QStringLiteral("w:r"));
    writeRunProperties(x, halfPoints);
    x.writeStartElement(QStringLiteral("w:drawing"));
    x.writeStartElement(QStringLiteral("wp:inline"));
    for (const char* side : {"distT", "distB", "distL", "distR"})
        x.writeAttribute(QLatin1String(side), QStringLiteral("0"));
    x.writeEmptyElement(QStringLiteral("wp:extent"));
    x.writeAttribute(QStringLiteral("cx"), cx);
    x.writeAttribute(QStringLiteral("cy"), cy);
    x.writeEmptyElement(QStringLiteral("wp:docPr"));
    x.writeAttribute(QStringLiteral("id"), id);
    x.writeAttribute(QStringLiteral("name"), QStringLiteral("Picture ") + id);
    x.writeAttribute(QStringLiteral("descr"), xmlSafe(name));
    x.writeStartElement(QStringLiteral("wp:cNvGraphicFramePr"));
    x.writeEmptyElement(QStringLiteral("a:graphicFrameLocks"));
    x.writeAttribute(QStringLiteral("noChangeAspect"), QStringLiteral("1"));
    x.writeEndElement();
    x.writeStartElement(QStringLiteral("a:graphic"));
    x.writeStartElement(QStringLiteral("a:graphicData"));
    x.writeAttribute(QStringLiteral("uri"), QLatin1String(kPic));
    x.writeStartElement(QStringLiteral("pic:pic"));
    x.writeStartElement(QStringLiteral("pic:nvPicPr"));
    x.writeEmptyElement(QStringLiteral("pic:cNvPr"));
    x.writeAttribute(QStringLiteral("id"), id);
    x.writeAttribute(QStringLiteral("name"), xmlSafe(name));
    x.writeEmptyElement(QStringLiteral("pic:cNvPicPr"));
    x.writeEndElement(); // nvPicPr
    x.writeStartElement(QStringLiteral("pic:blipFill"));
    x.writeEmptyElement(QStringLiteral("a:blip"));
    x.writeAttribute(QStringLiteral("r:embed"), QStringLiteral("rId") + id);
    x.writeStartElement(QStringLiteral("a:stretch"));
    x.writeEmptyElement(QStringLiteral("a:fillRect"));
    x.writeEndElement();
    x.writeEndElement(); // blipFill
    x.writeStartElement(QStringLiteral("pic:spPr"));
    x.writeStartElement(QStringLiteral("a:xfrm"));
    x.writeEmptyElement(QStringLiteral("a:off"));
    x.writeAttribute(QStringLiteral("x"), QStringLiteral("0"));
    x.writeAttribute(QStringLiteral("y"), QStringLiteral("0"));
    x.writeEmptyElement(QStringLiteral("a:ext"));
    x.writeAttribute(QStringLiteral("cx"), cx);
    x.writeAttribute(QStringLiteral("cy"), cy);
    x.writeEndElement(); // xfrm
    x.writeStartElement(QStringLiteral("a:prstGeom"));
    x.writeAttribute(QStringLiteral("prst"), QStringLiteral("rect"));
    x.writeEmptyElement(QStringLiteral("a:avLst"));
    x.writeEndElement();
    x.writeEndElement(); // spPr
    x.writeEndElement(); // pic
    x.writeEndElement(); // graphicData
    x.writeEndElement(); // graphic
    x.writeEndElement(); // inline
    x.writeEndElement(); // drawing
    x.writeEndElement(); // r
}

QByteArray documentXml(const Content& c, const QList<QSize>& extents)
{
    QByteArray out;
    QXmlStreamWriter x(&out);
    x.writeStartDocument(QStringLiteral("1.0"), true);
    x.writeStartElement(QStringLiteral("w:document"));
    x.writeAttribute(QStringLiteral("xmlns:w"), QLatin1String(kW));
    x.writeAttribute(QStringLiteral("xmlns:r"), QLatin1String(kR));
    x.writeAttribute(QStringLiteral("xmlns:wp"), QLatin1String(kWp));
    x.writeAttribute(QStringLiteral("xmlns:a"), QLatin1String(kA));
    x.writeAttribute(QStringLiteral("xmlns:pic"), QLatin1String(kPic));
    x.writeStartElement(QStringLiteral("w:body"));
    for (const Paragraph& p : paragraphsOf(c)) {
        x.writeStartElement(QStringLiteral("w:p"));
        x.writeStartElement(QStringLiteral("w:pPr"));
        x.writeEmptyElement(QStringLiteral("w:jc"));
        x.writeAttribute(QStringLiteral("w:val"), QLatin1String(p.align));
        writeRunProperties(x, p.halfPoints); // the paragraph mark's own size, for empty ones
        x.writeEndElement();
        if (!p.text.isEmpty())
            writeTextRun(x, p.text, p.halfPoints);
        if (p.pictures) {
            for (qsizetype i = 0; i < c.pictures.size(); ++i)
                writePictureRun(x, int(i + 1), c.pictures[i].fileName, extents[i], p.halfPoints);
        }
        x.writeEndElement();
    }
    x.writeStartElement(QStringLiteral("w:sectPr"));
    x.writeEmptyElement(QStringLiteral("w:pgSz"));
    x.writeAttribute(QStringLiteral("w:w"), QStringLiteral("11906"));
    x.writeAttribute(QStringLiteral("w:h"), QStringLiteral("16838"));
    x.writeEmptyElement(QStringLiteral("w:pgMar"));
    for (const char* side : {"w:top", "w:right", "w:bottom", "w:left"})
        x.writeAttribute(QLatin1String(side), QStringLiteral("1440"));
    for (const char* edge : {"w:header", "w:footer"})
        x.writeAttribute(QLatin1String(edge), QStringLiteral("708"));
    x.writeAttribute(QStringLiteral("w:gutter"), QStringLiteral("0"));
    x.writeEndElement();
    x.writeEndElement(); // body
    x.writeEndElement(); // document
    x.writeEndDocument();
    return out;
}

// A relationships part; each row is id, type, target.
QByteArray relationshipsXml(const QList<std::array<QString, 3>>& rows)
{
    QByteArray out;
    QXmlStreamWriter x(&out);
    x.writeStartDocument(QStringLiteral("1.0"), true);
    x.writeStartElement(QStringLiteral("Relationships"));
    x.writeAttribute(QStringLiteral("xmlns"), QLatin1String(kPackageRels));
    for (const auto& row : rows) {
        x.writeEmptyElement(QStringLiteral("Relationship"));
        x.writeAttribute(QStringLiteral("Id"), row[0]);
        x.writeAttribute(QStringLiteral("Type"), row[1]);
        x.writeAttribute(QStringLiteral("Target"), row[2]);
    }
    x.writeEndElement();
    x.writeEndDocument();
    return out;
}

QByteArray contentTypesXml()
{
    QByteArray out;
    QXmlStreamWriter x(&out);
    x.writeStartDocument(QStringLiteral("1.0"), true);
    x.writeStartElement(QStringLiteral("Types"));
    x.writeAttribute(
        QStringLiteral("xmlns"),
        QStringLiteral("http://schemas.openxmlformats.org/package/2006/content-types"));
    auto byExtension = [&x](const QString& extension, const QString& type) {
        x.writeEmptyElement(QStringLiteral("Default"));
        x.writeAttribute(QStringLiteral("Extension"), extension);
        x.writeAttribute(QStringLiteral("ContentType"), type);
    };
    byExtension(QStringLiteral("rels"),
                QStringLiteral("application/vnd.openxmlformats-package.relationships+xml"));
    byExtension(QStringLiteral("xml"), QStringLiteral("application/xml"));
    for (const ImageType& t : kImageTypes)
        byExtension(QLatin1String(t.suffix), QLatin1String(t.contentType));
    x.writeEmptyElement(QStringLiteral("Override"));
    x.writeAttribute(QStringLiteral("PartName"), QStringLiteral("/word/document.xml"));
    x.writeAttribute(QStringLiteral("ContentType"),
                     QStringLiteral("application/vnd.openxmlformats-officedocument."
                                    "wordprocessingml.document.main+xml"));
    x.writeEndElement();
    x.writeEndDocument();
    return out;
}

// Packs the parts, in order, into one zip archive held in memory.
QByteArray zipped(const QList<QPair<QString, QByteArray>>& parts, QString* error)
{
    zip_error_t zerr;
    zip_error_init(&zerr);
    zip_source_t* archive = zip_source_buffer_create(nullptr, 0, 0, &zerr);
    zip_t* za = archive ? zip_open_from_source(archive, ZIP_TRUNCATE, &zerr) : nullptr;
    auto failed = [&](const char* reason) {
        if (error)
            *error = QStringLiteral("The document could not be packed: %1")
                         .arg(QString::fromUtf8(reason));
        return QByteArray();
    };
    if (!za) {
        const QByteArray reason = zip_error_strerror(&zerr);
        if (archive)
            zip_source_free(archive);
        zip_error_fini(&zerr);
        return failed(reason.constData());
    }
    zip_error_fini(&zerr);
    zip_source_keep(archive); // read back after zip_close
    for (const auto& [name, data] : parts) {
        // The archive reads the bytes only at zip_close, while parts still holds them.
        zip_source_t* s = zip_source_buffer(za, data.constData(), zip_uint64_t(data.size()), 0);
        if (!s || zip_file_add(za, name.toUtf8().constData(), s, ZIP_FL_ENC_UTF_8) < 0) {
            if (s)
                zip_source_free(s);
            const QByteArray reason = zip_strerror(za);
            zip_discard(za);
            zip_source_free(archive);
            return failed(reason.constData());
        }
    }
    if (zip_close(za) < 0) {
        const QByteArray reason = zip_strerror(za);
        zip_discard(za);
        zip_source_free(archive);
        return failed(reason.constData());
    }
    QByteArray out;
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_source_stat(archive, &st) == 0 && (st.valid & ZIP_STAT_SIZE) &&
        zip_source_open(archive) == 0) {
        out.resize(qsizetype(st.size));
        const zip_int64_t got = zip_source_read(archive, out.data(), st.size);
        zip_source_close(archive);
        if (got != zip_int64_t(st.size))
            out.clear();
    }
    zip_source_free(archive);
    if (out.isEmpty())
        return failed("the packed archive could not be read back");
    return out;
}

} // namespace

bool readChartFiles(const QString& dataFolder, QList<Picture>* pictures, QString* error)
{
    for (const Charts::Kind kind : kPictureOrder) {
        const QString name = PictureOutput::chartFileName(kind);
        QFile file(dataFolder + name);
        QByteArray bytes;
        if (file.open(QIODevice::ReadOnly))
            bytes = file.readAll();
        if (file.error() != QFileDevice::NoError) {
            if (error)
                *error = QStringLiteral("Cannot read file \"%1\". %2")
                             .arg(QFileInfo(file).absoluteFilePath(), file.errorString());
            return false;
        }
        pictures->append({name, bytes});
    }
    return true;
}

Content contentOf(const QStringList& reportLines, const QString& userName)
{
    Content c;
    c.heading = reportLines.value(1) + QStringLiteral(" report");
    c.byLine = QStringLiteral("by ") + userName;
    if (reportLines.size() > 2)
        c.body = reportLines.mid(2);
    return c;
}

QList<QSize> pictureExtents(const QList<QSize>& pixelSizes)
{
    qint64 totalWidth = 0, maxHeight = 0;
    for (const QSize& s : pixelSizes) {
        totalWidth += qint64(s.width()) * kEmuPerPixel;
        maxHeight = std::max(maxHeight, qint64(s.height()) * kEmuPerPixel);
    }
    double factor = 1.0;
    if (totalWidth > kTextWidthEmu)
        factor = double(kTextWidthEmu) / double(totalWidth);
    if (maxHeight * factor > kTextHeightEmu)
        factor = double(kTextHeightEmu) / double(maxHeight);
    QList<QSize> extents;
    for (const QSize& s : pixelSizes) {
        // Rounded down, so the pictures never add up to more than the text width.
        extents.append(QSize(std::max(1, int(s.width() * kEmuPerPixel * factor)),
                             std::max(1, int(s.height() * kEmuPerPixel * factor))));
    }
    return extents;
}

QByteArray docxBytes(const Content& content, QString* error)
{
    QList<QSize> pixelSizes;
    QList<std::array<QString, 3>> pictureRels;
    QList<QPair<QString, QByteArray>> media;
    for (qsizetype i = 0; i < content.pictures.size(); ++i) {
        const Picture& p = content.pictures[i];
        const ImageType* type = imageTypeOf(p.fileName);
        QBuffer buffer;
        buffer.setData(p.bytes);
        QImageReader reader(&buffer, type ? type->readerFormat : nullptr);
        const QSize size = type ? reader.size() : QSize();
        if (!size.isValid() || size.isEmpty()) {
            if (error)
                *error = QStringLiteral("The picture \"%1\" cannot be read.").arg(p.fileName);
            return QByteArray();
        }
        pixelSizes.append(size);
        const QString target =
            QStringLiteral("media/image%1.%2").arg(i + 1).arg(QLatin1String(type->suffix));
        pictureRels.append({QStringLiteral("rId%1").arg(i + 1), QLatin1String(kImageRel), target});
        media.append({QStringLiteral("word/") + target, p.bytes});
    }

    QList<QPair<QString, QByteArray>> parts = {
        {QStringLiteral("[Content_Types].xml"), contentTypesXml()},
        {QStringLiteral("_rels/.rels"),
         relationshipsXml({{QStringLiteral("rId1"),
                            QStringLiteral("http://schemas.openxmlformats.org/officeDocument/"
                                           "2006/relationships/officeDocument"),
                            QStringLiteral("word/document.xml")}})},
        {QStringLiteral("word/document.xml"), documentXml(content, pictureExtents(pixelSizes))},
        {QStringLiteral("word/_rels/document.xml.rels"), relationshipsXml(pictureRels)},
    };
    parts += media;
    return zipped(parts, error);
}

QString freshPath(const QString& folder, const QString& heading)
{
    QString base = heading.trimmed();
    // A heading is a title name, but never let it reach into another folder.
    for (QChar& c : base) {
        if (c == QLatin1Char('/') || c.unicode() < 0x20)
            c = QLatin1Char('_');
    }
    const QString suffix = QStringLiteral(".docx");
    // Keep room for " (99999).docx" within the file system's 255-byte names.
    while (!base.isEmpty() && (base + QStringLiteral(" (99999)") + suffix).toUtf8().size() > 255)
        base.chop(1);
    const QDir dir(folder);
    QString name = base + suffix;
    for (int n = 2; QFileInfo::exists(dir.filePath(name)); ++n)
        name = QStringLiteral("%1 (%2)%3").arg(base).arg(n).arg(suffix);
    return dir.filePath(name);
}

bool write(const QString& path, const Content& content, QString* error)
{
    const QByteArray bytes = docxBytes(content, error);
    return !bytes.isEmpty() && SafeFile::write(SafeFile::Purpose::WordReport, path, bytes, error);
}

} // namespace WordReport
