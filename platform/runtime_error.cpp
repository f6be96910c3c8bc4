#include "platform/runtime_error.h"

#include "platform/translations.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

#include <cerrno>
#include <cstdio>

namespace platform {

namespace {
bool ending = false;
int status = 0;
ErrorPresenter presenter;

QString errorLine(int number, const QString &message)
{
    return QCoreApplication::translate("platform::RuntimeError", "Run-time error '%1': %2").arg(number).arg(message);
}

// The window the box belongs to: the active one, or else the one the user
// sees. Under load a window manager's close key was seen to arrive before Qt
// had taken the window's focus-in (openbox, Qt 6.4.2), and a box without an
// owner may open behind the window it speaks for.
QWidget *owner()
{
    if (QWidget *active = QApplication::activeWindow())
        return active;
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->isVisible() && (window->windowType() == Qt::Window || window->windowType() == Qt::Dialog))
            return window;
    return nullptr;
}

void showMessageBox(const QString &title, const QString &text)
{
    loadQtTranslation(); // its button
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok, owner());
    box.exec();
}
} // namespace

RuntimeError::RuntimeError(int number, QString message)
    : number_(number), message_(std::move(message)), what_(errorLine(number, message_).toUtf8())
{
}

void raise(int number, const QString &message) { throw RuntimeError(number, message); }

void raiseInvalidCall()
{
    raise(err::InvalidCall,
          QCoreApplication::translate("platform::RuntimeError", "Invalid procedure call or argument"));
}

void raiseInvalidPropertyValue()
{
    raise(err::InvalidPropertyValue, QCoreApplication::translate("platform::RuntimeError", "Invalid property value"));
}

void reportFatal(int number, const QString &message)
{
    if (ending)
        return;
    ending = true;
    status = 1;
    const QString line = errorLine(number, message);
    // On stderr the program goes by the name it was started as, as every line there does.
    std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, line.toLocal8Bit().constData());
    std::fflush(stderr);
    if (presenter)
        presenter(QCoreApplication::applicationName(), line);
    else if (qobject_cast<QApplication *>(QCoreApplication::instance()))
        showMessageBox(QCoreApplication::applicationName(), line);
    QCoreApplication::exit(status);
}

void runHandler(const std::function<void()> &handler)
{
    if (ending)
        return;
    // Nothing may leave here: the caller is Qt's event delivery, and an
    // exception through it ends in std::terminate.
    try {
        handler();
    } catch (const Interrupted &) {
    } catch (const RuntimeError &e) {
        reportFatal(e.number(), e.message());
    } catch (const std::bad_alloc &) {
        reportFatal(7, QCoreApplication::translate("platform::RuntimeError", "Out of memory"));
    } catch (const std::exception &e) {
        reportFatal(51,
                    QCoreApplication::translate("platform::RuntimeError", "Internal error: %1")
                        .arg(QString::fromUtf8(e.what())));
    } catch (...) {
        reportFatal(51, QCoreApplication::translate("platform::RuntimeError", "Internal error: an unknown exception"));
    }
}

bool isEnding() { return ending; }
int endingStatus() { return status; }

void setErrorPresenter(ErrorPresenter p) { presenter = std::move(p); }

void resetEnding()
{
    ending = false;
    status = 0;
}

} // namespace platform
