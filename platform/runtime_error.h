#pragma once

#include <QString>

#include <exception>
#include <functional>

namespace platform {

// A failing toolkit operation. It ends the handler that caused it; the
// program reports it and ends (see runHandler).
class RuntimeError : public std::exception
{
public:
    RuntimeError(int number, QString message);
    int number() const { return number_; }
    const QString &message() const { return message_; }
    const char *what() const noexcept override { return what_.constData(); }

private:
    int number_;
    QString message_;
    QByteArray what_;
};

// Ends a handler without a report: a termination signal ended a wait in it,
// and the window then closes the normal way, as the signal asks.
class Interrupted : public std::exception
{};

// The numbers and messages of the errors this layer raises.
namespace err {
inline constexpr int InvalidCall = 5;
inline constexpr int PathFileAccess = 75;
inline constexpr int ElementMissing = 340;
inline constexpr int InvalidPropertyValue = 380;
inline constexpr int CantOpenClipboard = 521;
} // namespace err

[[noreturn]] void raise(int number, const QString &message);
// The two errors whose standard message says all there is to say.
[[noreturn]] void raiseInvalidCall();
[[noreturn]] void raiseInvalidPropertyValue();

// The one place where an event enters a handler: a run-time error is caught
// here, reported, and the program ends with a non-zero status. Nothing is
// raised once the program is ending.
void runHandler(const std::function<void()> &handler);

// True once a run-time error has been reported; the program is ending.
bool isEnding();
int endingStatus();

// How an error reaches the user. The default shows a message box; tests
// replace it. The stderr line is always written.
using ErrorPresenter = std::function<void(const QString &title, const QString &text)>;
void setErrorPresenter(ErrorPresenter presenter);

// Reports an error that did not come from a handler (the same way), and
// makes the program end.
void reportFatal(int number, const QString &message);

// For tests: forget an earlier error so the next test starts clean.
void resetEnding();

} // namespace platform
