#include "app/display_answer_wait.h"

#include <QCoreApplication>
#include <QString>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "app/start_failure.h"

namespace app {

namespace {

// Never destroyed: a process that exits during the creation runs the static
// destructors while the watcher waits, and a condition variable's destructor
// would wait for the watcher.
struct Answer {
    std::mutex lock;
    std::condition_variable came;
    bool given = false;
};
Answer& answer = *new Answer;

// Qt calls the routines added this way once the platform plugin is up, and
// with it the connection to its display; still inside the creation.
void markAnswered()
{
    const std::lock_guard lock(answer.lock);
    answer.given = true;
    answer.came.notify_all();
}

// The displays the platform plugins asked for connect to, in the order Qt
// tries them.
std::string displaysTried()
{
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    const bool waylandSession = qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland");
    std::vector<std::string> displays;
    if (platform.startsWith(QLatin1String("wayland")) || (platform.isEmpty() && waylandSession)) {
        const QString name = qEnvironmentVariable("WAYLAND_DISPLAY", QStringLiteral("wayland-0"));
        displays.push_back("the Wayland display \"" + name.toStdString() + "\"");
    }
    if (platform.isEmpty() || platform.contains(QLatin1String("xcb")))
        displays.push_back("the display \"" + qEnvironmentVariable("DISPLAY").toStdString() + "\"");
    if (displays.empty())
        return "the display";
    std::string named = displays.front();
    for (std::size_t i = 1; i < displays.size(); ++i)
        named += " or " + displays[i];
    return named;
}

} // namespace

DisplayAnswerWait::DisplayAnswerWait()
{
    static const bool routineAdded = (qAddPreRoutine(markAnswered), true);
    (void)routineAdded;
    {
        const std::lock_guard lock(answer.lock);
        answer.given = false;
    }
    watcher_ = std::thread([] {
        std::unique_lock lock(answer.lock);
        if (!answer.came.wait_for(lock, kDisplayAnswerWait, [] { return answer.given; }))
            endStart(displaysTried() + " does not answer (waited "
                     + std::to_string(kDisplayAnswerWait.count()) + " seconds)");
    });
}

DisplayAnswerWait::~DisplayAnswerWait()
{
    markAnswered();
    watcher_.join();
}

} // namespace app
