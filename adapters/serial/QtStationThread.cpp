#include "adapters/serial/QtStationThread.h"

#include <QThread>

namespace hx {
namespace {

class QtStationThread : public StationThread {
public:
    explicit QtStationThread(std::function<void()> run) : thread_(QThread::create(std::move(run))) {
        thread_->start();
    }
    ~QtStationThread() override { join(); }
    void join() override { thread_->wait(); }

private:
    std::unique_ptr<QThread> thread_;
};

} // namespace

ThreadStarter QtStationThreads() {
    return
        [](std::function<void()> run) { return std::make_unique<QtStationThread>(std::move(run)); };
}

} // namespace hx
