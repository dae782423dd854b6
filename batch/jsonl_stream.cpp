// The streaming solver: the calling thread reads and writes, workers solve chunks of
// whole lines; chunks are written strictly in input order.
#include "batch/jsonl_stream.h"

#include "batch/bad_input.h"

#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

// Input bytes read at once; a chunk holds the whole lines of one read.
constexpr std::size_t kReadSize = 1 << 18;

struct Chunk {
    long long firstLine = 1;
    std::string text; // whole lines
    std::string output;
    long long lines = 0, badLines = 0;
    bool done = false;
};

void solveChunk(ProblemReader& reader, const SolveOptions& options, Chunk& chunk) {
    std::string_view rest = chunk.text;
    long long number = chunk.firstLine;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        ++chunk.lines;
        if (!solveLine(reader, line, number++, options, chunk.output))
            ++chunk.badLines;
    }
}

// Reads whole lines from fd: each call returns the lines completed by one read (a
// line longer than a read grows the carry until it ends); empty at the end.
class LineReader {
  public:
    explicit LineReader(int fd) : fd_(fd) {}
    bool next(std::string& lines) {
        lines.clear();
        while (!atEnd_) {
            const std::size_t old = carry_.size();
            carry_.resize(old + kReadSize);
            ssize_t n;
            do
                n = ::read(fd_, carry_.data() + old, kReadSize);
            while (n < 0 && errno == EINTR);
            carry_.resize(old + (n > 0 ? static_cast<std::size_t>(n) : 0));
            if (n <= 0) {
                atEnd_ = true;
                break;
            }
            // The carry held no newline before this read.
            const std::size_t found = std::string_view(carry_).substr(old).rfind('\n');
            if (found != std::string_view::npos) {
                const std::size_t lineEnd = old + found + 1;
                lines.assign(carry_, 0, lineEnd);
                carry_.erase(0, lineEnd);
                return true;
            }
        }
        // The last line may lack its newline.
        lines.swap(carry_);
        carry_.clear();
        return !lines.empty();
    }

  private:
    int fd_;
    std::string carry_;
    bool atEnd_ = false;
};

void writeChunk(std::FILE* out, const Chunk& c, StreamSummary& summary) {
    std::fwrite(c.output.data(), 1, c.output.size(), out);
    std::fflush(out);
    summary.lines += c.lines;
    summary.badLines += c.badLines;
}

long long countLines(const std::string& text) {
    long long n = 0;
    for (char ch : text)
        n += ch == '\n';
    return n + (!text.empty() && text.back() != '\n');
}

} // namespace

bool solveLine(ProblemReader& reader, std::string_view line, long long lineNumber,
               const SolveOptions& options, std::string& out) {
    JsonWriter w(out);
    w.beginObject();
    w.member("schema", kSchemaVersion);
    w.member("line", static_cast<std::int64_t>(lineNumber));
    bool good = true;
    try {
        if (line.find_first_not_of(" \t") == std::string_view::npos)
            throw BadInput("empty line");
        writeSolveMembers(w, solveProblem(reader.read(line), options));
    } catch (const BadInput& e) {
        w.member("error", e.what());
        good = false;
    }
    w.endObject();
    out += '\n';
    return good;
}

StreamSummary solveStream(int inFd, std::FILE* out, int threads, const SolveOptions& options) {
    StreamSummary summary;
    LineReader input(inFd);
    long long nextLine = 1;
    auto readChunk = [&](Chunk& c) {
        if (!input.next(c.text))
            return false;
        c.firstLine = nextLine;
        nextLine += countLines(c.text);
        return true;
    };

    if (threads <= 1) {
        ProblemReader reader;
        Chunk c;
        while (readChunk(c)) {
            solveChunk(reader, options, c);
            writeChunk(out, c, summary);
            c = Chunk{};
        }
        return summary;
    }

    std::mutex mutex;
    std::condition_variable workReady, chunkDone;
    std::deque<Chunk*> todo;
    std::deque<std::unique_ptr<Chunk>> inFlight; // in input order
    bool finished = false;
    const std::size_t maxInFlight = 2 * static_cast<std::size_t>(threads) + 2;

    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t)
        workers.emplace_back([&] {
            ProblemReader reader;
            for (;;) {
                Chunk* c;
                {
                    std::unique_lock lock(mutex);
                    workReady.wait(lock, [&] { return finished || !todo.empty(); });
                    if (todo.empty())
                        return;
                    c = todo.front();
                    todo.pop_front();
                }
                // Only this worker touches the chunk until it is marked done.
                solveChunk(reader, options, *c);
                std::lock_guard lock(mutex);
                c->done = true;
                chunkDone.notify_all();
            }
        });

    // Writes every finished chunk at the front, waiting for the front one while at
    // least limit chunks are in flight (limit 1: until all are written).
    auto flush = [&](std::size_t limit) {
        for (;;) {
            std::unique_ptr<Chunk> front;
            {
                std::unique_lock lock(mutex);
                chunkDone.wait(lock, [&] {
                    return inFlight.empty() || inFlight.front()->done || inFlight.size() < limit;
                });
                if (inFlight.empty() || !inFlight.front()->done)
                    return;
                front = std::move(inFlight.front());
                inFlight.pop_front();
            }
            writeChunk(out, *front, summary);
        }
    };

    for (;;) {
        auto c = std::make_unique<Chunk>();
        if (!readChunk(*c))
            break;
        flush(maxInFlight);
        std::lock_guard lock(mutex);
        todo.push_back(c.get());
        inFlight.push_back(std::move(c));
        workReady.notify_one();
    }
    flush(1);
    {
        std::lock_guard lock(mutex);
        finished = true;
    }
    workReady.notify_all();
    for (std::thread& t : workers)
        t.join();
    return summary;
}

std::vector<ProblemResult> solveAll(const std::vector<std::string>& problems, int threads,
                                    const SolveOptions& options) {
    std::vector<ProblemResult> results(problems.size());
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        ProblemReader reader;
        for (std::size_t i; (i = next++) < problems.size();) {
            try {
                results[i].text = solveResultJson(solveProblem(reader.read(problems[i]), options));
            } catch (const BadInput& e) {
                results[i] = {true, e.what()};
            }
        }
    };
    std::vector<std::thread> workers;
    for (int t = 1; t < threads; ++t)
        workers.emplace_back(work);
    work();
    for (std::thread& t : workers)
        t.join();
    return results;
}
