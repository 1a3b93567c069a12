// Times a plug-in's processReplacing on stereo noise, program by program, beside a plain copy of the same audio.
#include "tools/testhost/CTestHost.hpp"

#include <windows.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace
{
constexpr VstInt32 kBlockFrames = 512;
constexpr float kSampleRate = 44100.0f;

double seconds()
{
    LARGE_INTEGER frequency;
    LARGE_INTEGER now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Uniform noise of peak 0.5 from a fixed seed, so every run measures the same audio.
std::vector<float> makeNoise(size_t frames, uint32_t seed)
{
    std::vector<float> noise(frames);
    for (float& sample : noise)
    {
        seed = seed * 1664525u + 1013904223u;
        sample = static_cast<float>(seed >> 8) / 16777216.0f - 0.5f;
    }
    return noise;
}

struct CSignal
{
    std::vector<float> left;
    std::vector<float> right;
    size_t frames() const { return left.size(); }
};

// Runs the whole signal through `process` in host-sized blocks; answers nanoseconds per stereo frame.
template <typename Process>
double timeBlocks(const CSignal& signal, std::vector<std::vector<float>>& outputs, Process process)
{
    const size_t frames = signal.frames();
    const double start = seconds();
    for (size_t done = 0; done + kBlockFrames <= frames; done += kBlockFrames)
        process(done);
    const double elapsed = seconds() - start;
    (void)outputs;
    return elapsed * 1e9 / static_cast<double>(frames - frames % kBlockFrames);
}

void printRow(const std::string& name, double nanoseconds)
{
    const double realTime = 1e9 / static_cast<double>(kSampleRate) / nanoseconds;
    std::printf("  %-20s %10.2f %14.0fx\n", name.c_str(), nanoseconds, realTime);
}

bool parseSeconds(const char* text, long& value)
{
    errno = 0;
    char* end = nullptr;
    const long parsed = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || parsed < 1 || parsed > 3600)
        return false;
    value = parsed;
    return true;
}
} // namespace

int main(int argc, char** argv)
{
    long duration = 60;
    if (argc == 4 && std::strcmp(argv[2], "--seconds") == 0 && parseSeconds(argv[3], duration))
        argc = 2;
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: vstbench <plugin.dll> [--seconds <1..3600>]\n"
                             "  Times processReplacing over stereo noise (default 60 s at 44100 Hz, blocks of 512)\n"
                             "  for every program, beside a plain copy of the same audio.\n");
        return 1;
    }

    CTestHost host;
    std::string error;
    if (!host.load(argv[1], error))
    {
        std::fprintf(stderr, "vstbench: %s\n", error.c_str());
        return 2;
    }
    AEffect* effect = host.effect();
    host.start(kSampleRate, kBlockFrames);

    const size_t frames = static_cast<size_t>(duration) * static_cast<size_t>(kSampleRate);
    const CSignal signal = {makeNoise(frames, 1u), makeNoise(frames, 2u)};
    std::vector<std::vector<float>> outputs(static_cast<size_t>(effect->numOutputs),
                                            std::vector<float>(kBlockFrames));
    std::vector<float*> outputPointers;
    for (std::vector<float>& output : outputs)
        outputPointers.push_back(output.data());
    std::vector<float*> inputPointers(static_cast<size_t>(effect->numInputs));

    std::printf("%s: %ld s of stereo noise at %.0f Hz in blocks of %d\n\n", argv[1], duration,
                static_cast<double>(kSampleRate), kBlockFrames);
    std::printf("  %-20s %10s %15s\n", "program", "ns/frame", "real-time");

    // The floor: what moving the same audio through the same buffers costs.
    const double copy = timeBlocks(signal, outputs, [&](size_t done) {
        std::memcpy(outputPointers[0], signal.left.data() + done, sizeof(float) * kBlockFrames);
        std::memcpy(outputPointers[1], signal.right.data() + done, sizeof(float) * kBlockFrames);
    });
    printRow("(plain copy)", copy);

    for (VstInt32 program = 0; program < effect->numPrograms; ++program)
    {
        host.dispatch(effSetProgram, 0, program);
        const std::string name = host.queryString(effGetProgramName).text;
        const double nanoseconds = timeBlocks(signal, outputs, [&](size_t done) {
            // A side-chain pair, where there is one, hears the main pair.
            for (size_t channel = 0; channel < inputPointers.size(); ++channel)
                inputPointers[channel] = const_cast<float*>((channel % 2 == 0 ? signal.left : signal.right).data() + done);
            effect->processReplacing(effect, inputPointers.data(), outputPointers.data(), kBlockFrames);
        });
        printRow(std::to_string(program) + " " + name, nanoseconds);
    }
    host.stop();
    return 0;
}
