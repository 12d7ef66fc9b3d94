#include "app/application_creation.h"

#include <QByteArray>
#include <QLoggingCategory>
#include <QString>
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "app/display_probe.h"
#include "app/start_cause.h"
#include "app/start_failure.h"

namespace app {

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// How long a display may stay silent before the start ends.
constexpr std::chrono::seconds kLongestSilence{10};
// A display that answers at once has the application made before this: the
// probe's connection is asked for only where the creation takes longer.
constexpr auto kProbeAfter = 1s;
// The silence is counted in steps; a step that lasted far longer than asked
// was a time this process was stopped (or the machine slept), which is not
// the display's silence.
constexpr auto kStep = 250ms;
constexpr Clock::duration kLongestStepCounted = 2 * kStep;

void writeAsQtWould(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    const QByteArray formatted = (qFormatLogMessage(type, context, text) + QLatin1Char('\n')).toLocal8Bit();
    writeToStderr({formatted.constData(), static_cast<std::size_t>(formatted.size())});
}

bool askedForLoaderReports()
{
    if (qEnvironmentVariableIntValue("QT_DEBUG_PLUGINS") > 0)
        return true;
    // Read before the creation turns it on: the person's rules alone.
    return QLoggingCategory(kPluginLoaderCategory).isDebugEnabled();
}

// What the probes found; shared with their threads, which may outlive the creation.
struct Answers {
    std::mutex lock;
    std::condition_variable changed;
    std::optional<bool> answered; // the display probed last
    bool creationOver = false;
};

class Creation {
public:
    explicit Creation(const DisplayTarget& target) : target_(target)
    {
        const std::lock_guard lock(underWayLock);
        underWay = this;
        QLoggingCategory::setFilterRules(QLatin1String(kPluginLoaderCategory) + QLatin1String(".debug=true"));
        previous_ = qInstallMessageHandler(handleMessage);
        watcher_ = std::thread([this] { watchDisplays(); });
    }

    ~Creation()
    {
        {
            const std::lock_guard lock(answers_->lock);
            answers_->creationOver = true;
        }
        answers_->changed.notify_all();
        watcher_.join();
        const std::lock_guard lock(underWayLock);
        qInstallMessageHandler(previous_);
        QLoggingCategory::setFilterRules(QString());
        underWay = nullptr;
    }

    Creation(const Creation&) = delete;
    Creation& operator=(const Creation&) = delete;

private:
    // Qt's message handler is a plain function: it reaches the creation
    // under way through these.
    static inline std::mutex underWayLock;
    static inline Creation* underWay = nullptr;

    static void handleMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
    {
        const std::lock_guard lock(underWayLock);
        if (underWay != nullptr)
            underWay->take(type, context, text);
        else
            writeAsQtWould(type, context, text);
    }

    void take(QtMsgType type, const QMessageLogContext& context, const QString& text)
    {
        const bool loaderReport =
            context.category != nullptr && std::strcmp(context.category, kPluginLoaderCategory) == 0;
        if (!loaderReport || type != QtDebugMsg || loaderAskedFor_)
            writeAsQtWould(type, context, text);
        said_.push_back({QString::fromUtf8(context.category), text});
        if (type == QtFatalMsg)
            endStart(causeOf(said_, text, target_));
    }

    // Follows Qt through its platforms: a display that cannot be reached
    // sends Qt on to the next, one that answers is left to Qt, however slow,
    // and one that stays silent ends the start.
    void watchDisplays()
    {
        std::unique_lock lock(answers_->lock);
        if (answers_->changed.wait_for(lock, kProbeAfter, [this] { return answers_->creationOver; }))
            return;
        Clock::duration silence = kProbeAfter;
        for (const std::string& platform : target_.platforms()) {
            answers_->answered.reset();
            if (!probeDisplay(platform, target_, [answers = answers_](bool answered) {
                    const std::lock_guard lock(answers->lock);
                    answers->answered = answered;
                    answers->changed.notify_all();
                }))
                return;
            while (!answers_->answered && !answers_->creationOver) {
                if (silence >= kLongestSilence)
                    endStart(displayOf(platform, target_) + " does not answer (waited "
                             + std::to_string(kLongestSilence.count()) + " seconds)");
                const auto before = Clock::now();
                answers_->changed.wait_for(lock, kStep);
                silence += std::min(Clock::now() - before, kLongestStepCounted);
            }
            if (answers_->answered != false)
                return;
            silence = {};
        }
    }

    const DisplayTarget& target_;
    const bool loaderAskedFor_ = askedForLoaderReports();
    std::vector<QtSaid> said_; // under underWayLock
    QtMessageHandler previous_ = nullptr;
    const std::shared_ptr<Answers> answers_ = std::make_shared<Answers>();
    std::thread watcher_;
};

} // namespace

std::unique_ptr<QApplication> createApplication(int& argc, char** argv, const DisplayTarget& target)
{
    const Creation creation(target);
    return std::make_unique<QApplication>(argc, argv);
}

} // namespace app
