#include "compose_batch.h"

#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <mutex>
#include <thread>

namespace figcli {
namespace {

// The line on the terminal that says how far the batch has come, shared by the threads.
class Progress {
public:
    explicit Progress(size_t total) : total_(total), shown_(total > 1 && isatty(fileno(stderr))) {}
    void Done(const std::string &list, const std::string *problem) {
        std::lock_guard<std::mutex> lock(mutex_);
        ++done_;
        if (problem) {
            ++failed_;
            std::fprintf(stderr, "%sfigplot: %s\n", shown_ ? "\r\033[K" : "", problem->c_str());
        }
        if (shown_) std::fprintf(stderr, "\r\033[K[%zu/%zu] %s", done_, total_, list.c_str());
    }
    size_t Finish() {
        if (shown_) std::fprintf(stderr, "\r\033[K%zu lists composed, %zu failed\n", total_ - failed_, failed_);
        return failed_;
    }

private:
    std::mutex mutex_;
    size_t total_, done_ = 0, failed_ = 0;
    bool shown_;
};

void Work(figsim::External &external, const CanvasSize &canvas, const std::vector<ComposeJob> &jobs,
          std::atomic<size_t> *next, Progress *progress) {
    Composer composer(external, canvas);
    for (size_t i = (*next)++; i < jobs.size(); i = (*next)++) {
        std::string problem;
        const bool composed = composer.Compose(jobs[i], &problem);
        progress->Done(jobs[i].list, composed ? nullptr : &problem);
    }
}

}  // namespace

size_t RunBatch(figsim::External &external, const CanvasSize &canvas, const std::vector<ComposeJob> &jobs,
                unsigned workers) {
    Progress progress(jobs.size());
    std::atomic<size_t> next{0};
    const size_t threads = std::min<size_t>(workers, jobs.size());
    std::vector<std::thread> helpers;
    for (size_t t = 1; t < threads; ++t)
        helpers.emplace_back(Work, std::ref(external), std::cref(canvas), std::cref(jobs), &next, &progress);
    Work(external, canvas, jobs, &next, &progress);  // this thread is a worker too
    for (std::thread &helper : helpers) helper.join();
    return progress.Finish();
}

}  // namespace figcli
