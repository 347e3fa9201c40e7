#include "XInput.h"

#include <QStringList>
#include <QThread>

#include <functional>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/XKBlib.h>
#include <X11/extensions/XTest.h>

namespace {
// A human's key stroke takes milliseconds; the program must cope with bursts
// anyway, but not every event in the same microsecond.
constexpr int kStrokeMicroseconds = 3000;

unsigned keycodeOf(Display* d, KeySym sym, bool* shifted)
{
    const KeyCode code = XKeysymToKeycode(d, sym);
    *shifted = code && XkbKeycodeToKeysym(d, code, 0, 0) != sym &&
               XkbKeycodeToKeysym(d, code, 0, 1) == sym;
    return code;
}
} // namespace

XInput::XInput() : m_display(XOpenDisplay(nullptr))
{
    int event, error, major, minor;
    if (m_display && !XTestQueryExtension(m_display, &event, &error, &major, &minor)) {
        XCloseDisplay(m_display);
        m_display = nullptr;
    }
}

XInput::~XInput()
{
    if (m_display)
        XCloseDisplay(m_display);
}

void XInput::sync()
{
    XSync(m_display, False);
    QThread::usleep(kStrokeMicroseconds);
}

void XInput::press(unsigned keycode, bool down)
{
    XTestFakeKeyEvent(m_display, keycode, down, CurrentTime);
    sync();
}

void XInput::click(QPoint at, int button)
{
    XTestFakeMotionEvent(m_display, -1, at.x(), at.y(), CurrentTime);
    sync();
    XTestFakeButtonEvent(m_display, unsigned(button), True, CurrentTime);
    sync();
    XTestFakeButtonEvent(m_display, unsigned(button), False, CurrentTime);
    sync();
}

void XInput::doubleClick(QPoint at)
{
    click(at);
    click(at);
}

void XInput::modifiers(const QString& mods, bool down)
{
    for (const QString& m : mods.split('+', Qt::SkipEmptyParts)) {
        const KeySym sym = m == "ctrl" ? XK_Control_L : m == "shift" ? XK_Shift_L : XK_Alt_L;
        press(XKeysymToKeycode(m_display, sym), down);
    }
}

void XInput::key(const char* keysym, const QString& mods)
{
    bool shifted = false;
    const unsigned code = keycodeOf(m_display, XStringToKeysym(keysym), &shifted);
    if (!code)
        return;
    QString all = mods;
    if (shifted && !all.contains("shift"))
        all += "+shift";
    modifiers(all, true);
    press(code, true);
    press(code, false);
    modifiers(all, false);
}

void XInput::quickCtrl(const char* keysym)
{
    const unsigned ctrl = XKeysymToKeycode(m_display, XK_Control_L);
    const unsigned code = XKeysymToKeycode(m_display, XStringToKeysym(keysym));
    // All four in one burst: the releases are queued before the program can
    // have asked anyone for anything.
    XTestFakeKeyEvent(m_display, ctrl, True, CurrentTime);
    XTestFakeKeyEvent(m_display, code, True, CurrentTime);
    XTestFakeKeyEvent(m_display, code, False, CurrentTime);
    XTestFakeKeyEvent(m_display, ctrl, False, CurrentTime);
    sync();
}

bool XInput::type(const QString& text)
{
    bool all = true;
    for (const QChar c : text) {
        KeySym sym = c == '\n' ? XK_Return : c == ' ' ? XK_space : KeySym(c.unicode());
        if (c.unicode() > 0xff)
            sym = 0x01000000 | c.unicode();
        bool shifted = false;
        const unsigned code = keycodeOf(m_display, sym, &shifted);
        if (!code) {
            all = false;
            continue;
        }
        if (shifted)
            modifiers("shift", true);
        press(code, true);
        press(code, false);
        if (shifted)
            modifiers("shift", false);
    }
    return all;
}

QImage XInput::grab(const QRect& area)
{
    const Window root = DefaultRootWindow(m_display);
    XWindowAttributes attributes;
    XGetWindowAttributes(m_display, root, &attributes);
    const QRect r = (area.isNull() ? QRect(0, 0, attributes.width, attributes.height) : area)
                        .intersected(QRect(0, 0, attributes.width, attributes.height));
    XImage* x = XGetImage(m_display, root, r.x(), r.y(), unsigned(r.width()),
                          unsigned(r.height()), AllPlanes, ZPixmap);
    if (!x)
        return {};
    QImage image(r.size(), QImage::Format_RGB32);
    for (int y = 0; y < r.height(); ++y)
        for (int xx = 0; xx < r.width(); ++xx)
            image.setPixel(xx, y, QRgb(XGetPixel(x, xx, y)) | 0xff000000u);
    XDestroyImage(x);
    return image;
}

QStringList XInput::windowTitles()
{
    QStringList titles;
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    const Atom utf8 = XInternAtom(m_display, "UTF8_STRING", False);
    const Atom netName = XInternAtom(m_display, "_NET_WM_NAME", False);
    if (!XQueryTree(m_display, DefaultRootWindow(m_display), &root, &parent, &children, &count))
        return titles;
    // openbox reparents: the program's windows are the frames' children.
    std::function<void(Window, int)> visit = [&](Window w, int depth) {
        Atom type;
        int format;
        unsigned long n, after;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(m_display, w, netName, 0, 1024, False, utf8, &type, &format, &n,
                               &after, &data) == Success &&
            data) {
            XWindowAttributes a;
            if (XGetWindowAttributes(m_display, w, &a) && a.map_state == IsViewable)
                titles << QString::fromUtf8(reinterpret_cast<char*>(data), int(n));
            XFree(data);
        }
        if (depth == 0)
            return;
        Window r, p, *kids = nullptr;
        unsigned k = 0;
        if (XQueryTree(m_display, w, &r, &p, &kids, &k)) {
            for (unsigned i = 0; i < k; ++i)
                visit(kids[i], depth - 1);
            XFree(kids);
        }
    };
    for (unsigned i = 0; i < count; ++i)
        visit(children[i], 2);
    XFree(children);
    return titles;
}
