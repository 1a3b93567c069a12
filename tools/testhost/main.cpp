// vsthost: loads one VST 2.4 plug-in, prints what it reports about itself and renders a WAV file through it, or
// opens its editor to save a screenshot or to time it.
#include "CEditorBench.hpp"
#include "CEditorHost.hpp"
#include "CTestHost.hpp"
#include "CWavFile.hpp"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace
{
constexpr int kExitUsage = 1;
constexpr int kExitFailure = 2;
constexpr double kPi = 3.14159265358979323846;
// Each editor figure is the median of this many runs.
constexpr int kEditorBenchRuns = 20;

struct SOptions
{
    std::string pluginPath;
    std::string inputPath;
    std::string outputPath = "demo-out.wav";
    long rate = 0; // 0: the input file's, or 44100
    long block = 512;
    long program = -1; // -1: the plug-in's own choice
    bool outputGiven = false;
    std::string editorPath; // set: save a screenshot of the editor instead of rendering
    long editorMilliseconds = 1000;
    bool editorTimeGiven = false;
    bool editorBench = false;
};

void printUsage(FILE* stream)
{
    std::fprintf(stream,
                 "usage: vsthost <plugin.dll> [input.wav] [--out <output.wav>] [--rate <Hz>] [--block <frames>]\n"
                 "               [--program <number>]\n"
                 "       vsthost <plugin.dll> [input.wav] --editor <screenshot.png> [--editor-time <ms>]\n"
                 "               [--rate <Hz>] [--block <frames>] [--program <number>]\n"
                 "       vsthost <plugin.dll> --editor-bench [--program <number>]\n"
                 "  Prints the plug-in's identity, parameters and programs, renders input.wav (or a generated\n"
                 "  3-second stereo test signal) through it and writes the result (default demo-out.wav).\n"
                 "  --rate defaults to the input file's rate, else 44100; --block defaults to 512;\n"
                 "  --program selects one of the plug-in's programs before rendering or opening the editor.\n"
                 "  --editor opens the plug-in's editor in a window of its size, processes the signal (looped) in\n"
                 "  real time and calls the editor's idle while --editor-time passes (default 1000 ms), then\n"
                 "  saves the window's client area as a PNG file and closes the editor and the plug-in.\n"
                 "  --editor-bench prints the median of 20 runs of the plug-in's construction (its main call) and\n"
                 "  of its steps, of loading the library, of applying program 0, of opening the editor until it\n"
                 "  has painted, of one full repaint, of one idle with a new meter value and of one knob step by\n"
                 "  a mouse move, each until painted.\n"
                 "  Exit codes: 0 done, 1 bad arguments, 2 plug-in or file failure.\n");
}

bool parseNumber(const char* text, long minimum, long maximum, long& value)
{
    errno = 0;
    char* end = nullptr;
    const long parsed = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || parsed < minimum || parsed > maximum)
        return false;
    value = parsed;
    return true;
}

// False with a message when the arguments are unusable; help is set for -h/--help.
bool parseArguments(int argc, char** argv, SOptions& options, bool& help, std::string& error)
{
    help = false;
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i)
    {
        const std::string argument = argv[i];
        if (argument == "-h" || argument == "--help")
        {
            help = true;
            return true;
        }
        if (argument == "--editor-bench")
        {
            options.editorBench = true;
            continue;
        }
        if (argument == "--out" || argument == "--rate" || argument == "--block" || argument == "--program" ||
            argument == "--editor" || argument == "--editor-time")
        {
            if (i + 1 >= argc)
            {
                error = argument + " needs a value";
                return false;
            }
            const char* value = argv[++i];
            if (argument == "--out")
            {
                options.outputPath = value;
                options.outputGiven = true;
            }
            else if (argument == "--editor")
            {
                options.editorPath = value;
                if (options.editorPath.empty())
                {
                    error = "--editor needs a file name";
                    return false;
                }
            }
            else if (argument == "--editor-time")
            {
                options.editorTimeGiven = true;
                if (!parseNumber(value, 0, 600000, options.editorMilliseconds))
                {
                    error = std::string("--editor-time must be a whole number of milliseconds from 0 to 600000, "
                                        "not '") + value + "'";
                    return false;
                }
            }
            else if (argument == "--rate" && !parseNumber(value, 1000, 768000, options.rate))
            {
                error = std::string("--rate must be a whole number of Hz from 1000 to 768000, not '") + value + "'";
                return false;
            }
            else if (argument == "--block" && !parseNumber(value, 1, 65536, options.block))
            {
                error = std::string("--block must be a whole number of frames from 1 to 65536, not '") + value + "'";
                return false;
            }
            else if (argument == "--program" && !parseNumber(value, 0, 65535, options.program))
            {
                error = std::string("--program must be a program number, not '") + value + "'";
                return false;
            }
        }
        else if (argument.size() > 1 && argument[0] == '-')
        {
            error = "unknown option '" + argument + "'";
            return false;
        }
        else
            positional.push_back(argument);
    }
    if (positional.empty())
    {
        error = "no plug-in given";
        return false;
    }
    if (positional.size() > 2)
    {
        error = "unexpected argument '" + positional[2] + "'";
        return false;
    }
    options.pluginPath = positional[0];
    if (positional.size() == 2)
        options.inputPath = positional[1];
    if (options.outputPath.empty())
    {
        error = "--out needs a file name";
        return false;
    }
    const bool editorMode = !options.editorPath.empty();
    if (editorMode && options.editorBench)
    {
        error = "--editor and --editor-bench are separate modes";
        return false;
    }
    if ((editorMode || options.editorBench) && options.outputGiven)
    {
        error = "--out writes the rendered audio, which the editor modes do not";
        return false;
    }
    if (options.editorTimeGiven && !editorMode)
    {
        error = "--editor-time goes with --editor";
        return false;
    }
    if (options.editorBench && !options.inputPath.empty())
    {
        error = "--editor-bench processes no audio, so it takes no input file";
        return false;
    }
    return true;
}

// Plug-in texts are shown as they are, except control bytes, which would upset the terminal.
std::string printable(const std::string& text)
{
    std::string result = text;
    for (char& c : result)
    {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            c = '?';
    }
    return result;
}

std::string hex32(VstInt32 value)
{
    char text[16];
    std::snprintf(text, sizeof(text), "0x%08X", static_cast<unsigned>(value));
    return text;
}

std::string fourCharacters(VstInt32 id)
{
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8)
    {
        const char c = static_cast<char>((static_cast<uint32_t>(id) >> shift) & 0xFF);
        text += (c >= 0x20 && c < 0x7F) ? c : '.';
    }
    return text;
}

std::string categoryName(VstIntPtr category)
{
    // The protocol's plug-in categories, in order.
    static const char* const names[] = {"unknown",  "effect",      "synth",       "analysis",
                                        "mastering", "spacializer", "room fx",     "surround fx",
                                        "restoration", "offline process", "shell", "generator"};
    if (category >= 0 && category < static_cast<VstIntPtr>(sizeof(names) / sizeof(names[0])))
        return names[category];
    return "not a known category";
}

std::string flagNames(VstInt32 flags)
{
    static const struct
    {
        VstInt32 flag;
        const char* name;
    } known[] = {{effFlagsHasEditor, "has-editor"},
                 {effFlagsHasClip, "has-clip"},
                 {effFlagsHasVu, "has-vu"},
                 {effFlagsCanMono, "can-mono"},
                 {effFlagsCanReplacing, "can-replacing"},
                 {effFlagsProgramChunks, "program-chunks"},
                 {effFlagsIsSynth, "is-synth"},
                 {effFlagsNoSoundInStop, "no-sound-in-stop"},
                 {effFlagsExtIsAsync, "ext-is-async"},
                 {effFlagsExtHasBuffer, "ext-has-buffer"},
                 {effFlagsCanDoubleReplacing, "can-double-replacing"}};
    std::string text;
    VstInt32 rest = flags;
    for (const auto& entry : known)
    {
        if (flags & entry.flag)
        {
            text += (text.empty() ? "" : ", ") + std::string(entry.name);
            rest &= ~entry.flag;
        }
    }
    if (rest != 0)
        text += (text.empty() ? "" : ", ") + std::string("unknown ") + hex32(rest);
    if (text.empty())
        text = "none";
    return text + " (" + hex32(flags) + ")";
}

// Left-aligned columns, each as wide as its widest cell, two spaces apart.
void printTable(const std::vector<std::vector<std::string>>& rows, const std::string& indent)
{
    std::vector<size_t> widths;
    for (const auto& row : rows)
    {
        widths.resize(std::max(widths.size(), row.size()), 0);
        for (size_t column = 0; column < row.size(); ++column)
            widths[column] = std::max(widths[column], row[column].size());
    }
    for (const auto& row : rows)
    {
        std::string line = indent;
        for (size_t column = 0; column < row.size(); ++column)
        {
            line += row[column];
            if (column + 1 < row.size())
                line += std::string(widths[column] - row[column].size() + 2, ' ');
        }
        std::printf("%s\n", line.c_str());
    }
}

void printIdentity(CTestHost& host, const std::string& pluginPath)
{
    AEffect* effect = host.effect();
    const std::string uniqueId = "'" + fourCharacters(effect->uniqueID) + "' (" + hex32(effect->uniqueID) + ")";
    const VstIntPtr category = host.dispatch(effGetPlugCategory);
    std::vector<std::vector<std::string>> rows = {
        {"Plug-in", pluginPath},
        {"Effect name", printable(host.queryString(effGetEffectName).text)},
        {"Vendor", printable(host.queryString(effGetVendorString).text)},
        {"Product", printable(host.queryString(effGetProductString).text)},
        {"Vendor version", std::to_string(static_cast<long long>(host.dispatch(effGetVendorVersion)))},
        {"VST version", std::to_string(static_cast<long long>(host.dispatch(effGetVstVersion)))},
        {"Category", std::to_string(static_cast<long long>(category)) + " (" + categoryName(category) + ")"},
        {"Unique ID", uniqueId},
        {"Inputs", std::to_string(effect->numInputs)},
        {"Outputs", std::to_string(effect->numOutputs)},
        {"Latency", std::to_string(effect->initialDelay) + " samples"},
        {"Flags", flagNames(effect->flags)},
        {"Programs", std::to_string(effect->numPrograms)},
        {"Current program", std::to_string(static_cast<long long>(host.dispatch(effGetProgram))) + " (" +
                                host.queryString(effGetProgramName).text + ")"},
        {"Parameters", std::to_string(effect->numParams)},
    };
    printTable(rows, "");

    if (effect->numParams > 0)
    {
        std::printf("\nParameters\n");
        std::vector<std::vector<std::string>> parameters = {{"#", "Name", "Label", "Display", "Value"}};
        for (VstInt32 index = 0; index < effect->numParams; ++index)
        {
            char value[32] = "-";
            if (effect->getParameter != nullptr)
                std::snprintf(value, sizeof(value), "%.6f", static_cast<double>(effect->getParameter(effect, index)));
            parameters.push_back({std::to_string(index), printable(host.queryString(effGetParamName, index).text),
                                  printable(host.queryString(effGetParamLabel, index).text),
                                  printable(host.queryString(effGetParamDisplay, index).text), value});
        }
        printTable(parameters, "  ");
    }
    if (effect->numPrograms > 0)
    {
        std::printf("\nPrograms\n");
        std::vector<std::vector<std::string>> programs = {{"#", "Name"}};
        for (VstInt32 index = 0; index < effect->numPrograms; ++index)
            programs.push_back(
                {std::to_string(index), printable(host.queryString(effGetProgramNameIndexed, index).text)});
        printTable(programs, "  ");
    }
}

// Sine steps from -40 to -3 dBFS, a gap, a short loud burst and a quiet tail; the right channel
// runs a different frequency so the channels can be told apart.
std::vector<std::vector<float>> makeTestSignal(long rate)
{
    struct SSegment
    {
        double start;
        double end;
        double dbfs;
        double frequencyLeft;
        double frequencyRight;
    };
    static const SSegment segments[] = {
        {0.0, 0.4, -40.0, 440.0, 660.0},  {0.4, 0.8, -30.0, 440.0, 660.0},  {0.8, 1.2, -20.0, 440.0, 660.0},
        {1.2, 1.6, -10.0, 440.0, 660.0},  {1.6, 2.0, -3.0, 440.0, 660.0},   {2.2, 2.25, -3.0, 2000.0, 3000.0},
        {2.5, 3.0, -60.0, 440.0, 660.0},
    };
    const size_t frames = static_cast<size_t>(3 * rate);
    std::vector<std::vector<float>> signal(2, std::vector<float>(frames, 0.0f));
    for (size_t frame = 0; frame < frames; ++frame)
    {
        const double time = static_cast<double>(frame) / static_cast<double>(rate);
        for (const SSegment& segment : segments)
        {
            if (time >= segment.start && time < segment.end)
            {
                const double amplitude = std::pow(10.0, segment.dbfs / 20.0);
                signal[0][frame] = static_cast<float>(amplitude * std::sin(2.0 * kPi * segment.frequencyLeft * time));
                signal[1][frame] = static_cast<float>(amplitude * std::sin(2.0 * kPi * segment.frequencyRight * time));
                break;
            }
        }
    }
    return signal;
}

std::string dbfs(double level)
{
    if (level <= 0.0)
        return "-inf";
    double decibels = 20.0 * std::log10(level);
    // Levels a hair under full scale would otherwise print as "-0.00".
    if (std::fabs(decibels) < 0.005)
        decibels = 0.0;
    char text[32];
    std::snprintf(text, sizeof(text), "%.2f", decibels);
    return text;
}

void addLevelRows(std::vector<std::vector<std::string>>& rows, const std::string& name,
                  const std::vector<std::vector<float>>& channels)
{
    for (size_t channel = 0; channel < channels.size(); ++channel)
    {
        double peak = 0.0;
        double sumOfSquares = 0.0;
        for (float sample : channels[channel])
        {
            peak = std::max(peak, std::fabs(static_cast<double>(sample)));
            sumOfSquares += static_cast<double>(sample) * sample;
        }
        const size_t count = channels[channel].size();
        const double rms = count > 0 ? std::sqrt(sumOfSquares / static_cast<double>(count)) : 0.0;
        rows.push_back({name, std::to_string(channel + 1), dbfs(peak), dbfs(rms)});
    }
}

// Right-aligns the level columns so the decimal points line up.
void printLevels(const std::vector<std::vector<std::string>>& rows)
{
    for (const auto& row : rows)
        std::printf("  %-8s %-8s %9s %9s\n", row[0].c_str(), row[1].c_str(), row[2].c_str(), row[3].c_str());
}

// Loads the plug-in, switches it on and selects the program asked for; false after printing why not.
bool startPlugin(CTestHost& host, const SOptions& options, long rate, int& exitCode)
{
    std::string error;
    if (!host.load(options.pluginPath, error))
    {
        std::fprintf(stderr, "vsthost: %s\n", error.c_str());
        exitCode = kExitFailure;
        return false;
    }
    host.start(static_cast<float>(rate), static_cast<VstInt32>(options.block));
    if (options.program >= 0)
    {
        if (options.program >= host.effect()->numPrograms)
        {
            host.stop();
            std::fprintf(stderr, "vsthost: the plug-in has no program %ld\n", options.program);
            exitCode = kExitUsage;
            return false;
        }
        host.dispatch(effSetProgram, 0, options.program);
    }
    return true;
}

std::string windowTitle(CTestHost& host)
{
    // A plug-in that leaves the name unwritten leaves the buffer's fill, which is no name.
    const CTestHost::SStringReply name = host.queryString(effGetEffectName);
    return name.terminatedWithin && !name.text.empty() ? "vsthost: " + printable(name.text) : "vsthost";
}

// Opens the editor, keeps audio and idle calls going for the time asked, saves the screenshot and closes it all.
int showEditor(CTestHost& host, const SOptions& options, const std::vector<std::vector<float>>& signal, long rate)
{
    std::string error;
    bool saved = false;
    {
        CEditorHost editor(host);
        if (!editor.create(windowTitle(host), error) || !editor.openEditor(error))
        {
            host.stop();
            std::fprintf(stderr, "vsthost: %s\n", error.c_str());
            return kExitFailure;
        }
        const double seconds = editor.run(static_cast<double>(options.editorMilliseconds) / 1000.0, signal);
        saved = editor.saveScreenshot(options.editorPath, error);
        std::string program;
        if (host.effect()->numPrograms > 0)
            program = ", program " + std::to_string(static_cast<long long>(host.dispatch(effGetProgram))) + " (" +
                      printable(host.queryString(effGetProgramName).text) + ")";
        std::printf("Editor   %d x %d%s\n", editor.width(), editor.height(), program.c_str());
        std::printf("Ran      %.2f s: %ld blocks of %ld frames at %ld Hz, %ld idle calls\n", seconds,
                    editor.blocksProcessed(), options.block, rate, editor.idleCalls());
        if (saved)
            std::printf("Wrote    %s (%d x %d)\n", options.editorPath.c_str(), editor.width(), editor.height());
        editor.closeEditor();
    }
    host.stop();
    host.unload();
    if (!saved)
    {
        std::fprintf(stderr, "vsthost: %s\n", error.c_str());
        return kExitFailure;
    }
    return 0;
}

// Times the plug-in's construction by step, the editor's opening, repaint, idle and knob step; prints the medians.
int benchEditor(const SOptions& options, long rate)
{
    CEditorBench bench;
    CEditorBench::SSettings settings;
    settings.pluginPath = options.pluginPath;
    settings.program = options.program;
    settings.rate = rate;
    settings.block = options.block;
    settings.runs = kEditorBenchRuns;
    std::string error;
    if (!bench.run(settings, error))
    {
        std::fprintf(stderr, "vsthost: %s\n", error.c_str());
        return kExitFailure;
    }
    std::printf("%s", bench.report().c_str());
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    SOptions options;
    bool help = false;
    std::string error;
    if (!parseArguments(argc, argv, options, help, error))
    {
        std::fprintf(stderr, "vsthost: %s\n", error.c_str());
        printUsage(stderr);
        return kExitUsage;
    }
    if (help)
    {
        printUsage(stdout);
        return 0;
    }

    if (options.editorBench)
        return benchEditor(options, options.rate != 0 ? options.rate : 44100);

    CWavFile input;
    const bool haveInput = !options.inputPath.empty();
    if (haveInput && !input.read(options.inputPath, error))
    {
        std::fprintf(stderr, "vsthost: %s\n", error.c_str());
        return kExitFailure;
    }
    const long rate = options.rate != 0 ? options.rate : haveInput ? static_cast<long>(input.sampleRate()) : 44100;
    if (haveInput && rate != static_cast<long>(input.sampleRate()))
        std::fprintf(stderr, "vsthost: note: processing at %ld Hz, the input file is %u Hz\n", rate,
                     static_cast<unsigned>(input.sampleRate()));

    CTestHost host;
    int exitCode = 0;
    if (!startPlugin(host, options, rate, exitCode))
        return exitCode;
    const std::vector<std::vector<float>> signal = haveInput ? input.channels() : makeTestSignal(rate);
    if (!options.editorPath.empty())
        return showEditor(host, options, signal, rate);

    printIdentity(host, options.pluginPath);
    if (host.effect()->numOutputs < 1)
    {
        host.stop();
        std::fprintf(stderr, "vsthost: the plug-in has no outputs\n");
        return kExitFailure;
    }
    std::vector<std::vector<float>> output = host.render(signal);
    host.stop();
    if (output.empty())
    {
        std::fprintf(stderr, "vsthost: the plug-in cannot process (no processReplacing)\n");
        return kExitFailure;
    }
    // A WAV file here holds at most a stereo pair; further outputs are not written.
    if (output.size() > 2)
        output.resize(2);

    const CWavFile::ESampleFormat format = haveInput ? input.sampleFormat() : CWavFile::ESampleFormat::Float32;
    const CWavFile result(static_cast<uint32_t>(rate), format, output);
    if (!result.write(options.outputPath, error))
    {
        std::fprintf(stderr, "vsthost: %s\n", error.c_str());
        return kExitFailure;
    }

    const size_t frames = signal.empty() ? 0 : signal[0].size();
    std::printf("\nRendered %s: %zu frames (%.2f s) at %ld Hz in blocks of %ld\n",
                haveInput ? options.inputPath.c_str() : "generated test signal", frames,
                static_cast<double>(frames) / static_cast<double>(rate), rate, options.block);
    std::printf("Wrote    %s (%s, %zu channel%s)\n", options.outputPath.c_str(), CWavFile::formatName(format),
                output.size(), output.size() == 1 ? "" : "s");

    std::printf("\nLevels (dBFS)\n");
    std::vector<std::vector<std::string>> rows = {{"", "Channel", "Peak", "RMS"}};
    addLevelRows(rows, "input", signal);
    addLevelRows(rows, "output", output);
    printLevels(rows);
    return 0;
}
