#pragma once

#include "platform/controls.h"
#include "platform/layout_spec.h"

#include <QMargins>
#include <QString>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <vector>

class QWidget;

namespace platform {

class FormWindow;

// A fixed-size window built from a layout: one control per row, stacked in
// row order (an earlier row above a later one; higher array indices above
// lower ones), labels and lines beneath every other control, and the tab
// order of the rows' tab indices.
class Form
{
public:
    Form(const FormSpec &form, std::span<const ControlSpec> controls);
    virtual ~Form();
    Form(const Form &) = delete;
    Form &operator=(const Form &) = delete;

    QWidget *widget() const;

    TextBox &textBox(const char *name) const;
    Label &label(const char *name) const;
    CheckBox &checkBox(const char *name) const;
    CommandButton &commandButton(const char *name) const;
    PictureBox &pictureBox(const char *name) const;
    ControlArray<TextBox> &textBoxArray(const char *name) const;

    // Outer size in twips, frame and title bar included. Before the window
    // manager has framed the window the frame is an estimate.
    double width() const;
    double height() const;
    // Outer position in twips on the primary screen, from its top left
    // corner; not clamped to the screen.
    double left() const;
    double top() const;
    void setLeft(double twips);
    void setTop(double twips);

    // Raises Load, then shows the window with the focus on the control of
    // tab index 0. Returns false when Load ended the program.
    bool show();

    // Runs the close when the window is still open after the event loop
    // ended without it: the display went away.
    void closeIfOpen();

    std::function<void()> onLoad;
    std::function<void(std::int16_t &cancel)> onUnload;
    // Raised once when the window manager's real frame is known and differs
    // from the estimate that width() and height() used.
    std::function<void()> onFrameKnown;

    // The frame assumed before the window manager has framed the window.
    static QMargins estimatedFrame();

private:
    // The window hands on the close and the moments the frame may be known.
    friend class FormWindow;
    void handleClose(bool &accept);
    void checkFrame();
    // Tells the controls that the window is shown, once; show() does so only
    // after the window's map request has gone out.
    void controlsShown();
    // Adds the larger renditions to the window's icon, after its first paint.
    void addLargerIcons();
    static void closeWithoutDisplay();

    QMargins frame() const;

    std::unique_ptr<QWidget> window_;
    std::vector<std::unique_ptr<Control>> controls_;
    std::map<QString, std::unique_ptr<ControlArray<TextBox>>> arrays_;
    bool frameKnown_ = false;
    bool showing_ = false;
    Renditions iconRenditions_;
};

} // namespace platform
