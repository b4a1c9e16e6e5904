#pragma once
#include "ConfigIni.h"
#include "FakeWinmmControl.h"
#include "ProgramProcess.h"
#include "TempDir.h"

#include <string>

// A private copy of the program in a fresh temporary directory, with the
// fake multimedia library beside it (no MIDI devices until told otherwise),
// so that every test starts from a clean installation and its own Config.ini.
class ProgramSandbox {
public:
    struct Options {
        std::string exeName = "Sorbelquintaro.exe";
        bool fakeWinmm = true;
    };

    // `programPath` and `fakeWinmmPath` name the built files to copy.
    ProgramSandbox(const std::string& programPath, const std::string& fakeWinmmPath,
                   const Options& options);
    ProgramSandbox(const std::string& programPath, const std::string& fakeWinmmPath)
        : ProgramSandbox(programPath, fakeWinmmPath, Options()) {}

    // False when the directory or a copy could not be made.
    bool IsReady() const { return m_ready; }
    std::string Directory() const { return m_directory.Path(); }
    std::string ExePath() const { return m_directory.File(m_options.exeName); }
    std::string ConfigPath() const { return m_directory.File("Config.ini"); }

    bool WriteConfig(const Config& config) const { return WriteConfigIni(ConfigPath(), config); }
    Config ReadConfig() const { return ReadConfigIni(ConfigPath()); }
    bool HasConfig() const { return FileExists(ConfigPath()); }
    // Sets or clears the read-only attribute of Config.ini.
    bool SetConfigReadOnly(bool readOnly) const;

    const FakeWinmmControl& Midi() const { return m_fake; }
    // `closeNoticeOnRemoval`: see FakeWinmmControl::SetDevices.
    bool SetMidiDevices(const std::vector<FakeMidiDevice>& devices,
                        bool closeNoticeOnRemoval = false) const {
        return m_fake.SetDevices(devices, closeNoticeOnRemoval);
    }

    // Starts the copy with its directory as the working directory, the fake
    // library preferred over the system's.
    bool Start(ProgramProcess& process) const;

private:
    Options m_options;
    TempDir m_directory{"sq-e2e"};
    FakeWinmmControl m_fake;
    bool m_ready = false;
};

// The directory of the running test program, with a trailing backslash.
std::string TestProgramDirectory();
// `relative` (slashes or backslashes) taken from the test program's directory.
std::string BesideTestProgram(const std::string& relative);
