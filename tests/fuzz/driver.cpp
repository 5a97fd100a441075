// Runs a fuzz target without libFuzzer: every seed of the corpus first, then
// random mutations of the seeds until a time or input budget runs out. The
// flags follow libFuzzer's spelling so one command line works for both builds:
//   target [-seed=N] [-runs=N] [-max_total_time=S] [-max_len=N] corpus-dir-or-file...
// The same seed and flags replay the same inputs, so a failure is repeatable.

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

using Bytes = std::vector<uint8_t>;

struct Options {
    std::optional<uint64_t> seed;
    uint64_t runs = 0;
    uint64_t maxSeconds = 0;
    size_t maxLen = 64 * 1024;
    std::vector<std::string> paths;
};

std::optional<Options> parseArguments(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        auto flag = [&](std::string_view name, auto& value) {
            if (arg.substr(0, name.size()) != name) return false;
            value = std::stoull(std::string(arg.substr(name.size())));
            return true;
        };
        uint64_t seed = 0;
        if (flag("-seed=", seed))
            options.seed = seed;
        else if (flag("-runs=", options.runs) || flag("-max_total_time=", options.maxSeconds) ||
                 flag("-max_len=", options.maxLen))
            continue;
        else if (!arg.empty() && arg[0] == '-') {
            std::fprintf(stderr, "fuzz: unknown option %s\n", argv[i]);
            return std::nullopt;
        } else
            options.paths.emplace_back(arg);
    }
    return options;
}

// Seeds in a stable order, so a seed number always means the same run.
std::vector<Bytes> loadSeeds(const std::vector<std::string>& paths, size_t maxLen) {
    std::vector<std::filesystem::path> files;
    for (const std::string& path : paths) {
        if (!std::filesystem::is_directory(path)) {
            files.emplace_back(path);
            continue;
        }
        for (const auto& entry : std::filesystem::directory_iterator(path))
            if (entry.is_regular_file()) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    std::vector<Bytes> seeds;
    for (const auto& file : files) {
        std::ifstream in(file, std::ios::binary);
        Bytes bytes(std::istreambuf_iterator<char>(in), {});
        if (bytes.size() > maxLen) bytes.resize(maxLen);
        seeds.push_back(std::move(bytes));
    }
    return seeds;
}

// Fragments that matter to the text formats our parsers read; random bytes
// alone rarely form them.
const std::string_view tokens[] = {
    // JSON
    "{", "}", "[", "]", "\"", ":", ",", "\\", "\\u", "\\ud800", "\\u0000", "null", "true", "false",
    "\"\"", "{}", "[]", "\"id\"",
    // numbers and dates
    "0", "-0", "1e999", "-1", "1.5", "9223372036854775807", "18446744073709551616", "Z",
    "T00:00:00",
    // URLs and paths
    "%", "%2F", "file:", "file:///", "/", "..", "#", "?",
    // other text
    "\xc3\xa9", "\xf0\x9f\x98\x80", "\xff", " ", "\t", "\n"};

class Mutator {
public:
    Mutator(uint64_t seed, size_t maxLen) : random_(seed), maxLen_(maxLen) {}

    Bytes mutate(const std::vector<Bytes>& seeds) {
        Bytes data = seeds.empty() ? Bytes() : seeds[below(seeds.size())];
        for (size_t i = 1 + below(6); i > 0; --i)
            step(data, seeds);
        if (data.size() > maxLen_) data.resize(maxLen_);
        return data;
    }

private:
    size_t below(size_t n) { return n == 0 ? 0 : static_cast<size_t>(random_() % n); }

    void insert(Bytes& data, const uint8_t* from, size_t n) {
        data.insert(data.begin() + static_cast<std::ptrdiff_t>(below(data.size() + 1)), from,
                    from + n);
    }

    // A piece of up to `most` bytes of `from`, inserted somewhere in data.
    void copyPiece(Bytes& data, const Bytes& from, size_t most) {
        if (from.empty()) return;
        const size_t at = below(from.size());
        const Bytes piece(from.begin() + static_cast<std::ptrdiff_t>(at),
                          from.begin() + static_cast<std::ptrdiff_t>(
                                             at + 1 + below(std::min(from.size() - at, most))));
        insert(data, piece.data(), piece.size());
    }

    void step(Bytes& data, const std::vector<Bytes>& seeds) {
        switch (below(6)) {
        case 0: // change one byte
            if (!data.empty()) data[below(data.size())] = static_cast<uint8_t>(random_());
            break;
        case 1: { // erase a range
            if (data.empty()) break;
            const size_t at = below(data.size());
            const size_t n = 1 + below(std::min<size_t>(data.size() - at, 16));
            data.erase(data.begin() + static_cast<std::ptrdiff_t>(at),
                       data.begin() + static_cast<std::ptrdiff_t>(at + n));
            break;
        }
        case 2: { // insert a token
            const std::string_view token = tokens[below(std::size(tokens))];
            insert(data, reinterpret_cast<const uint8_t*>(token.data()), token.size());
            break;
        }
        case 3: // duplicate a range elsewhere
            copyPiece(data, Bytes(data), 64);
            break;
        case 4: // splice in a piece of another seed
            if (!seeds.empty()) copyPiece(data, seeds[below(seeds.size())], 128);
            break;
        default: // cut the tail
            if (!data.empty()) data.resize(below(data.size()));
            break;
        }
    }

    std::mt19937_64 random_;
    size_t maxLen_;
};

void run(const Bytes& input) {
    LLVMFuzzerTestOneInput(input.data(), input.size());
}

} // namespace

int main(int argc, char** argv) {
    const std::optional<Options> options = parseArguments(argc, argv);
    if (!options) return 2;
    const uint64_t seed = options->seed.value_or(std::random_device{}());
    const std::vector<Bytes> seeds = loadSeeds(options->paths, options->maxLen);
    std::printf("fuzz: %zu seeds, replay with -seed=%llu\n", seeds.size(),
                static_cast<unsigned long long>(seed));
    std::fflush(stdout);
    run(Bytes());
    for (const Bytes& input : seeds)
        run(input);
    if (options->runs == 0 && options->maxSeconds == 0) return 0;

    Mutator mutator(seed, options->maxLen);
    const auto start = std::chrono::steady_clock::now();
    uint64_t done = 0;
    for (; options->runs == 0 || done < options->runs; ++done) {
        if (options->maxSeconds > 0 && done % 256 == 0 &&
            std::chrono::steady_clock::now() - start >= std::chrono::seconds(options->maxSeconds))
            break;
        run(mutator.mutate(seeds));
    }
    std::printf("fuzz: ran %llu mutated inputs\n", static_cast<unsigned long long>(done));
    return 0;
}
