// Runs a fuzz target without libFuzzer: every seed of the corpus first, then
// random mutations of the seeds until a time or input budget runs out. The
// flags follow libFuzzer's spelling so one command line works for both builds:
//   target [-seed=N] [-runs=N] [-max_total_time=S] [-max_len=N] corpus-dir-or-file...
// The same seed and flags replay the same inputs, so a failure is repeatable.

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" void __sanitizer_set_death_callback(void (*callback)()) __attribute__((weak));

namespace {

using Bytes = std::vector<uint8_t>;

struct Options {
    uint64_t seed = 0;
    bool seedGiven = false;
    uint64_t runs = 0;
    double maxSeconds = 0;
    size_t maxLen = 64 * 1024;
    std::vector<std::string> paths;
};

// The input under test, kept where a crash handler can reach it.
const Bytes* current = nullptr;
const char crashFile[] = "fuzz-crash-input";

void saveCurrentInput() {
    if (current == nullptr) return;
    const int fd = ::open(crashFile, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return;
    size_t done = 0;
    while (done < current->size()) {
        const ssize_t n = ::write(fd, current->data() + done, current->size() - done);
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    ::close(fd);
    const char note[] = "fuzz: failing input saved to fuzz-crash-input\n";
    [[maybe_unused]] const ssize_t ignored = ::write(2, note, sizeof note - 1);
}

void onSignal(int signal) {
    saveCurrentInput();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

std::optional<uint64_t> number(std::string_view text) {
    if (text.empty()) return std::nullopt;
    uint64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    return value;
}

std::optional<Options> parseArguments(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        auto flag = [&](std::string_view name) -> std::optional<uint64_t> {
            if (arg.substr(0, name.size()) != name) return std::nullopt;
            return number(arg.substr(name.size()));
        };
        if (const auto v = flag("-seed=")) {
            options.seed = *v;
            options.seedGiven = true;
        } else if (const auto v = flag("-runs=")) {
            options.runs = *v;
        } else if (const auto v = flag("-max_total_time=")) {
            options.maxSeconds = static_cast<double>(*v);
        } else if (const auto v = flag("-max_len=")) {
            options.maxLen = std::max<uint64_t>(*v, 1);
        } else if (!arg.empty() && arg[0] == '-') {
            std::fprintf(stderr, "fuzz: unknown option %s\n", argv[i]);
            return std::nullopt;
        } else {
            options.paths.emplace_back(arg);
        }
    }
    return options;
}

std::optional<Bytes> readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Seeds in a stable order, so a seed number always means the same run.
std::vector<Bytes> loadSeeds(const std::vector<std::string>& paths, size_t maxLen) {
    std::vector<std::filesystem::path> files;
    for (const std::string& path : paths) {
        std::error_code error;
        if (std::filesystem::is_directory(path, error)) {
            for (const auto& entry : std::filesystem::directory_iterator(path, error))
                if (entry.is_regular_file(error)) files.push_back(entry.path());
        } else {
            files.emplace_back(path);
        }
    }
    std::sort(files.begin(), files.end());
    std::vector<Bytes> seeds;
    for (const auto& file : files) {
        std::optional<Bytes> bytes = readFile(file);
        if (!bytes) {
            std::fprintf(stderr, "fuzz: cannot read %s\n", file.c_str());
            continue;
        }
        if (bytes->size() > maxLen) bytes->resize(maxLen);
        seeds.push_back(std::move(*bytes));
    }
    return seeds;
}

// Fragments that matter to the text formats our parsers read; random bytes
// alone rarely form them.
const std::string_view tokens[] = {
    "{",
    "}",
    "[",
    "]",
    "\"",
    ":",
    ",",
    "\\",
    "\\u",
    "\\ud800",
    "\\u0000",
    "null",
    "true",
    "false",
    "0",
    "-0",
    "1e999",
    "-1",
    "1.5",
    "9223372036854775807",
    "18446744073709551616",
    "\"\"",
    "{}",
    "[]",
    "\"id\"",
    "Z",
    "T00:00:00",
    "%",
    "%2F",
    "file:",
    "file:///",
    "/",
    "..",
    "#",
    "?",
    "\xc3\xa9",
    "\xf0\x9f\x98\x80",
    "\xff",
    "\n",
    " ",
    "\t",
};

class Mutator {
public:
    Mutator(uint64_t seed, size_t maxLen) : random_(seed), maxLen_(maxLen) {}

    Bytes mutate(const std::vector<Bytes>& seeds) {
        Bytes data = seeds.empty() ? Bytes() : seeds[below(seeds.size())];
        const size_t steps = 1 + below(6);
        for (size_t i = 0; i < steps; ++i)
            step(data, seeds);
        if (data.size() > maxLen_) data.resize(maxLen_);
        return data;
    }

private:
    size_t below(size_t n) { return n == 0 ? 0 : static_cast<size_t>(random_() % n); }

    void insert(Bytes& data, std::string_view text) {
        const size_t at = below(data.size() + 1);
        data.insert(data.begin() + static_cast<std::ptrdiff_t>(at), text.begin(), text.end());
    }

    void step(Bytes& data, const std::vector<Bytes>& seeds) {
        switch (below(8)) {
        case 0: // flip one bit
            if (!data.empty()) data[below(data.size())] ^= static_cast<uint8_t>(1u << below(8));
            break;
        case 1: // set one byte
            if (!data.empty()) data[below(data.size())] = static_cast<uint8_t>(random_());
            break;
        case 2: { // erase a range
            if (data.empty()) break;
            const size_t at = below(data.size());
            const size_t n = 1 + below(std::min<size_t>(data.size() - at, 16));
            data.erase(data.begin() + static_cast<std::ptrdiff_t>(at),
                       data.begin() + static_cast<std::ptrdiff_t>(at + n));
            break;
        }
        case 3: // insert a token
            insert(data, tokens[below(std::size(tokens))]);
            break;
        case 4: { // duplicate a range elsewhere
            if (data.empty()) break;
            const size_t at = below(data.size());
            const size_t n = 1 + below(std::min<size_t>(data.size() - at, 64));
            const std::string piece(data.begin() + static_cast<std::ptrdiff_t>(at),
                                    data.begin() + static_cast<std::ptrdiff_t>(at + n));
            insert(data, piece);
            break;
        }
        case 5: { // splice in a piece of another seed
            if (seeds.empty()) break;
            const Bytes& other = seeds[below(seeds.size())];
            if (other.empty()) break;
            const size_t at = below(other.size());
            const size_t n = 1 + below(std::min<size_t>(other.size() - at, 128));
            const std::string piece(other.begin() + static_cast<std::ptrdiff_t>(at),
                                    other.begin() + static_cast<std::ptrdiff_t>(at + n));
            insert(data, piece);
            break;
        }
        case 6: // cut the tail
            if (!data.empty()) data.resize(below(data.size()));
            break;
        default: // swap two bytes
            if (data.size() >= 2) std::swap(data[below(data.size())], data[below(data.size())]);
            break;
        }
    }

    std::mt19937_64 random_;
    size_t maxLen_;
};

void run(const Bytes& input) {
    current = &input;
    LLVMFuzzerTestOneInput(input.data(), input.size());
    current = nullptr;
}

} // namespace

int main(int argc, char** argv) {
    const std::optional<Options> options = parseArguments(argc, argv);
    if (!options) return 2;
    const uint64_t seed =
        options->seedGiven ? options->seed : static_cast<uint64_t>(std::random_device{}());
    const bool budget = options->runs > 0 || options->maxSeconds > 0;

    // Under a sanitizer its own report comes first; replacing its handlers would lose it.
    if (__sanitizer_set_death_callback != nullptr)
        __sanitizer_set_death_callback(saveCurrentInput);
    else
        for (const int signal : {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL})
            std::signal(signal, onSignal);

    const std::vector<Bytes> seeds = loadSeeds(options->paths, options->maxLen);
    std::printf("fuzz: %zu seeds, seed %llu (replay with -seed=%llu)\n", seeds.size(),
                static_cast<unsigned long long>(seed), static_cast<unsigned long long>(seed));
    std::fflush(stdout);
    run(Bytes());
    for (const Bytes& input : seeds)
        run(input);
    if (!budget) {
        std::printf("fuzz: ran %zu inputs\n", seeds.size() + 1);
        return 0;
    }

    Mutator mutator(seed, options->maxLen);
    const auto start = std::chrono::steady_clock::now();
    uint64_t done = 0;
    for (; options->runs == 0 || done < options->runs; ++done) {
        if (options->maxSeconds > 0 && done % 256 == 0) {
            const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
            if (spent.count() >= options->maxSeconds) break;
        }
        run(mutator.mutate(seeds));
    }
    std::printf("fuzz: ran %llu mutated inputs, seed %llu\n", static_cast<unsigned long long>(done),
                static_cast<unsigned long long>(seed));
    return 0;
}
