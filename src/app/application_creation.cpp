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

// How long a display may stay silent before the start ends.
constexpr std::chrono::seconds kLongestSilence{10};
// The silence is counted in steps of this; a step that lasts far longer was
// a time this process was stopped (or the machine slept), which the display's
// silence does not count.
constexpr auto kStep = 250ms;
constexpr auto kLongestStepCounted = 2 * kStep;

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
    const QLoggingCategory category(kPluginLoaderCategory);
    return category.isDebugEnabled();
}

// The answers of the probes; shared with their threads, which may outlive
// the creation.
struct Answers {
    std::mutex lock;
    std::condition_variable changed;
    std::optional<ProbeResult> probed;
    bool creationOver = false;
};

class Creation {
public:
    explicit Creation(const DisplayTarget& target);
    ~Creation();
    Creation(const Creation&) = delete;
    Creation& operator=(const Creation&) = delete;

    static void handleMessage(QtMsgType type, const QMessageLogContext& context, const QString& text);

private:
    void take(QtMsgType type, const QMessageLogContext& context, const QString& text);
    void watchDisplays();

    const DisplayTarget& target_;
    const bool loaderAskedFor_ = askedForLoaderReports();
    std::mutex saidLock_;
    std::vector<QtSaid> said_;
    QtMessageHandler previous_ = nullptr;
    std::shared_ptr<Answers> answers_ = std::make_shared<Answers>();
    std::thread watcher_;

    // Qt's message handler is a plain function: it reaches the creation under
    // way through these.
    static std::mutex underWayLock;
    static Creation* underWay;
};

std::mutex Creation::underWayLock;
Creation* Creation::underWay = nullptr;

Creation::Creation(const DisplayTarget& target) : target_(target)
{
    {
        const std::lock_guard lock(underWayLock);
        underWay = this;
    }
    QLoggingCategory::setFilterRules(QLatin1String(kPluginLoaderCategory) + QLatin1String(".debug=true"));
    previous_ = qInstallMessageHandler(handleMessage);
    watcher_ = std::thread([this] { watchDisplays(); });
}

Creation::~Creation()
{
    {
        const std::lock_guard lock(answers_->lock);
        answers_->creationOver = true;
    }
    answers_->changed.notify_all();
    watcher_.join();
    qInstallMessageHandler(previous_);
    QLoggingCategory::setFilterRules(QString());
    const std::lock_guard lock(underWayLock);
    underWay = nullptr;
}

void Creation::handleMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    const std::lock_guard lock(underWayLock);
    if (underWay != nullptr)
        underWay->take(type, context, text);
    else
        writeAsQtWould(type, context, text);
}

void Creation::take(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    const bool loaderReport =
        context.category != nullptr && std::strcmp(context.category, kPluginLoaderCategory) == 0;
    if (!loaderReport || type != QtDebugMsg || loaderAskedFor_)
        writeAsQtWould(type, context, text);
    std::vector<QtSaid> soFar;
    {
        const std::lock_guard lock(saidLock_);
        said_.push_back({QString::fromUtf8(context.category), text});
        if (type == QtFatalMsg)
            soFar = said_;
    }
    if (type == QtFatalMsg)
        endStart(causeOf(soFar, text, target_));
}

// Follows Qt through its platforms: a display that cannot be reached sends
// Qt on to the next, one that answers is left to Qt, and one that stays
// silent ends the start.
void Creation::watchDisplays()
{
    for (const std::string& platform : target_.platforms()) {
        std::unique_lock lock(answers_->lock);
        answers_->probed.reset();
        const bool probing = probeDisplay(platform, target_, [answers = answers_](ProbeResult result) {
            {
                const std::lock_guard lock(answers->lock);
                answers->probed = result;
            }
            answers->changed.notify_all();
        });
        if (!probing)
            return;
        std::chrono::steady_clock::duration silence{};
        while (!answers_->probed && !answers_->creationOver) {
            const auto before = std::chrono::steady_clock::now();
            answers_->changed.wait_for(lock, kStep);
            silence += std::min<std::chrono::steady_clock::duration>(std::chrono::steady_clock::now() - before,
                                                                     kLongestStepCounted);
            if (silence >= kLongestSilence && !answers_->probed && !answers_->creationOver)
                endStart(displayOf(platform, target_) + " does not answer (waited "
                         + std::to_string(kLongestSilence.count()) + " seconds)");
        }
        if (answers_->probed != ProbeResult::Unreachable)
            return;
    }
}

} // namespace

std::unique_ptr<QApplication> createApplication(int& argc, char** argv, const DisplayTarget& target)
{
    const Creation creation(target);
    return std::make_unique<QApplication>(argc, argv);
}

} // namespace app
