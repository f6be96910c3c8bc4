#include "platform/form.h"

#include "platform/accessibility.h"
#include "platform/runtime_error.h"
#include "platform/units.h"
#include "platform/widget_support.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cstdlib>
#include <mutex>

namespace platform {

class FormWindow : public QWidget
{
public:
    explicit FormWindow(Form &form)
        : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
          form_(form)
    {
    }

protected:
    void closeEvent(QCloseEvent *event) override
    {
        bool accept = true;
        form_.handleClose(accept);
        event->setAccepted(accept);
    }

    bool event(QEvent *event) override
    {
        const bool result = QWidget::event(event);
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Expose:
        case QEvent::WindowActivate: form_.checkFrame(); break;
        case QEvent::Show: form_.controlsShown(); break;
        case QEvent::WindowStateChange:
            // A fixed window is never maximized, but the title bar that Qt's
            // Wayland plugin draws itself offers it whatever the flags say
            // (seen on 6.4.2); a compositor then keeps the size, and the next
            // click could minimize it for good.
            if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
                setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
            break;
        case QEvent::Paint:
            // The larger icons are decoded and sent once the window is on
            // screen and drawn: before, they would compete with its mapping
            // and its first paint for a few milliseconds. The window manager
            // takes the new icon as it comes.
            if (!painted_) {
                painted_ = true;
                QTimer::singleShot(0, this, [this] { form_.addLargerIcons(); });
            }
            break;
        default: break;
        }
        return result;
    }

private:
    Form &form_;
    bool painted_ = false;
};

namespace {

std::unique_ptr<Control> makeControl(const ControlSpec &row, QWidget *parent)
{
    switch (row.kind) {
    case ControlKind::TextBox: return std::make_unique<TextBox>(row, parent);
    case ControlKind::Label: return std::make_unique<Label>(row, parent);
    case ControlKind::CheckBox: return std::make_unique<CheckBox>(row, parent);
    case ControlKind::CommandButton: return std::make_unique<CommandButton>(row, parent);
    case ControlKind::PictureBox: return std::make_unique<PictureBox>(row, parent);
    case ControlKind::Frame: return std::make_unique<Frame>(row, parent);
    case ControlKind::Line: return std::make_unique<Line>(row, parent);
    }
    return nullptr;
}

// Positions are on the primary screen, which need not start at the desktop's
// origin: with a second monitor on its left, it begins further right.
QPoint screenOrigin()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().topLeft() : QPoint();
}

// The row with what a person reads or hears of the control, its accessible
// name and its tooltip, in the user's language: looked up in the context the
// table gives, the form's name. `held` keeps the text while the control is built.
ControlSpec translated(const ControlSpec &row, const char *context, QByteArray (&held)[2])
{
    ControlSpec copy = row;
    if (row.accessibleName) {
        held[0] = QCoreApplication::translate(context, row.accessibleName).toUtf8();
        copy.accessibleName = held[0].constData();
    }
    if (row.toolTip) {
        held[1] = QCoreApplication::translate(context, row.toolTip).toUtf8();
        copy.toolTip = held[1].constData();
    }
    return copy;
}

bool drawnOnForm(ControlKind kind) { return kind == ControlKind::Label || kind == ControlKind::Line; }

// The form on screen that has not been closed yet.
Form *shownForm = nullptr;

} // namespace

// When the connection to the X server breaks, Qt's xcb plugin ends the
// program without closing the window: up to Qt 6.8 (seen on 6.4.2 and 6.8.2)
// with exit(1) from inside the event loop, on 6.11.2 by ending the event loop
// with status 1. Either way the window's close still runs, as a user's close
// would: its unload handler reads the controls and writes files, and touches
// no display. Errors then go to stderr only.
void Form::closeWithoutDisplay()
{
    Form *form = shownForm;
    shownForm = nullptr;
    if (!form || isEnding())
        return;
    setErrorPresenter([](const QString &, const QString &) {});
    bool accept = true;
    form->handleClose(accept);
}

void Form::closeIfOpen()
{
    if (shownForm == this)
        closeWithoutDisplay();
}

namespace {
// Qt 6.8 builds and caches the window's accessibility interface as its title
// is set (Qt 6.4 only as it is shown), so the factory that makes it a window
// must be there before the window is.
std::unique_ptr<QWidget> newWindow(Form &form)
{
    installAccessibility();
    return std::make_unique<FormWindow>(form);
}
} // namespace

Form::Form(const FormSpec &form, std::span<const ControlSpec> controls) : window_(newWindow(*this))
{
    // Until the window is created, Qt finds its screen by position for every
    // font set on a control, a fifth of the time the form takes to build
    // (seen on 6.4.2). The form places itself on the primary screen.
    window_->setScreen(QGuiApplication::primaryScreen());
    window_->setObjectName(QString::fromUtf8(form.name));
    window_->setWindowTitle(QString::fromUtf8(form.caption));
    window_->setFixedSize(twipsToPixels(form.clientWidth), twipsToPixels(form.clientHeight));
    applyFont(window_.get(), form.font);
    if (form.icon)
        window_->setWindowIcon(QIcon(QString::fromUtf8(form.icon)));
    iconRenditions_ = form.iconRenditions;

    controls_.reserve(controls.size());
    for (const ControlSpec &row : controls) {
        QWidget *parent = window_.get();
        if (row.parent) {
            for (const auto &control : controls_) {
                if (control->index() < 0 && control->name() == QLatin1String(row.parent))
                    parent = control->widget();
            }
        }
        QByteArray held[2];
        controls_.push_back(makeControl(translated(row, form.name, held), parent));
        if (row.index >= 0 && row.kind == ControlKind::TextBox) {
            auto &array = arrays_[controls_.back()->name()];
            if (!array)
                array = std::make_unique<ControlArray<TextBox>>();
            array->add(static_cast<TextBox *>(controls_.back().get()));
        }
    }

    // Raising from the last row to the first leaves the first row on top.
    for (std::size_t i = controls_.size(); i-- > 0;) {
        if (!drawnOnForm(controls[i].kind))
            controls_[i]->widget()->raise();
    }
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        if (drawnOnForm(controls[i].kind))
            controls_[i]->widget()->lower();
    }

    std::vector<Control *> tabbed;
    for (const auto &control : controls_) {
        if (control->tabIndex() >= 0 && control->widget()->focusPolicy() != Qt::NoFocus)
            tabbed.push_back(control.get());
    }
    std::sort(tabbed.begin(), tabbed.end(), [](Control *a, Control *b) { return a->tabIndex() < b->tabIndex(); });
    for (std::size_t i = 1; i < tabbed.size(); ++i)
        QWidget::setTabOrder(tabbed[i - 1]->widget(), tabbed[i]->widget());
}

Form::~Form()
{
    if (shownForm == this)
        shownForm = nullptr;
    // The widgets call into their adapters (events, tooltips, accessibility)
    // until they are gone: the window and its widgets go first.
    window_.reset();
    controls_.clear();
}

QWidget *Form::widget() const { return window_.get(); }

namespace {
template <class T>
T &find(const std::vector<std::unique_ptr<Control>> &controls, const char *name)
{
    for (const auto &control : controls) {
        if (control->index() < 0 && control->name() == QLatin1String(name)) {
            if (auto *typed = dynamic_cast<T *>(control.get()))
                return *typed;
        }
    }
    raise(err::InvalidCall,
          QCoreApplication::translate("platform::RuntimeError", "No control named '%1'").arg(QLatin1String(name)));
}
} // namespace

TextBox &Form::textBox(const char *name) const { return find<TextBox>(controls_, name); }
Label &Form::label(const char *name) const { return find<Label>(controls_, name); }
CheckBox &Form::checkBox(const char *name) const { return find<CheckBox>(controls_, name); }
CommandButton &Form::commandButton(const char *name) const { return find<CommandButton>(controls_, name); }
PictureBox &Form::pictureBox(const char *name) const { return find<PictureBox>(controls_, name); }

ControlArray<TextBox> &Form::textBoxArray(const char *name) const
{
    const auto it = arrays_.find(QString::fromUtf8(name));
    if (it == arrays_.end())
        raise(err::InvalidCall,
              QCoreApplication::translate("platform::RuntimeError", "No control array named '%1'")
                  .arg(QLatin1String(name)));
    return *it->second;
}

QMargins Form::estimatedFrame()
{
    // A common server-side decoration: a thin border and a title bar.
    return QMargins(1, 23, 1, 1);
}

QMargins Form::frame() const
{
    if (frameKnown_) {
        const QRect outer = window_->frameGeometry();
        const QRect inner = window_->geometry();
        return QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                        outer.bottom() - inner.bottom());
    }
    return estimatedFrame();
}

double Form::width() const
{
    const QMargins m = frame();
    return pixelsToTwips(window_->width() + m.left() + m.right());
}

double Form::height() const
{
    const QMargins m = frame();
    return pixelsToTwips(window_->height() + m.top() + m.bottom());
}

double Form::left() const { return pixelsToTwips(window_->x() - screenOrigin().x()); }
double Form::top() const { return pixelsToTwips(window_->y() - screenOrigin().y()); }
void Form::setLeft(double twips) { window_->move(screenOrigin().x() + twipsToPixels(twips), window_->y()); }
void Form::setTop(double twips) { window_->move(window_->x(), screenOrigin().y() + twipsToPixels(twips)); }

bool Form::show()
{
    // The start-up, in this order, and why:
    // 1. Load, before anything is on screen; an error in it ends the program.
    // 2. The focus to the control of tab index 0, before the first paint.
    // 3. The window shown alone, then its children in the same call, so that
    //    the first paint has them all. Qt raises an accessibility event for
    //    every widget it shows, and the first one starts the bridge to the
    //    session bus (where none runs, libdbus launches one; seen on 6.4.2):
    //    that first event is the window's own, after its map request, as for
    //    an empty window.
    // 4. Only now do the controls give their widgets the names, captions and
    //    values that reach assistive technology (Control::windowShown).
    // 5. From here on a lost display still runs the close.
    runHandler([this] {
        if (onLoad)
            onLoad();
    });
    if (isEnding())
        return false;
    for (const auto &control : controls_) {
        if (control->tabIndex() == 0)
            control->widget()->setFocus(Qt::OtherFocusReason);
    }
    std::vector<QWidget *> held;
    for (QWidget *child : window_->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (!child->isHidden()) {
            child->hide();
            held.push_back(child);
        }
    }
    showing_ = true;
    window_->show();
    for (QWidget *child : held)
        child->show();
    showing_ = false;
    controlsShown();
#if QT_VERSION < QT_VERSION_CHECK(6, 11, 0)
    static std::once_flag atExit;
    std::call_once(atExit, [] { std::atexit(closeWithoutDisplay); });
#endif
    if (!shownForm)
        shownForm = this;
    return true;
}

void Form::handleClose(bool &accept)
{
    std::int16_t cancel = 0;
    runHandler([&] {
        if (onUnload)
            onUnload(cancel);
    });
    accept = cancel == 0 && !isEnding();
    if (accept && shownForm == this)
        shownForm = nullptr;
}

void Form::addLargerIcons()
{
    if (iconRenditions_.empty())
        return;
    // Decoded here: renditions added as files, to be read when asked for,
    // never reached the window manager through Qt's xcb plugin (seen on
    // 6.8.2; 6.4.2 read them).
    QIcon icon = window_->windowIcon();
    for (const char *rendition : iconRenditions_)
        icon.addPixmap(QPixmap(QString::fromUtf8(rendition)));
    window_->setWindowIcon(icon);
}

void Form::controlsShown()
{
    if (showing_)
        return;
    for (const auto &control : controls_) {
        if (!control->isWindowShown())
            control->windowShown();
    }
}

void Form::checkFrame()
{
    if (frameKnown_ || !window_->isVisible() || !window_->windowHandle() || !window_->windowHandle()->isExposed())
        return;
    frameKnown_ = true;
    if (frame() != estimatedFrame() && onFrameKnown)
        runHandler(onFrameKnown);
}

} // namespace platform
