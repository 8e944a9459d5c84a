// SPDX-License-Identifier: GPL-3.0-or-later
// The installed program: `cmake --install` into a temporary prefix made read-only, the files
// in their places and valid for the desktop, and the installed executable run offscreen with a
// temporary HOME, ended by a signal as a session's end would end it.

#include "store/UDataFile.h"

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>

#include <iterator>
#include <string>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

const fs::path BinaryDir = TYPORIN_BINARY_DIR;
const fs::path SourceDir = TYPORIN_SOURCE_DIR;

std::string Read(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

void SetWritable(const fs::path& root, bool writable) {
    auto change = [writable](const fs::path& path) {
        fs::permissions(path,
                        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        writable ? fs::perm_options::add : fs::perm_options::remove);
    };
    change(root);
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (!entry.is_symlink())
            change(entry.path());
}

// Runs a command to its end; its exit code, with what it printed in `output`.
int RunCommand(const QString& program, const QStringList& arguments, QString* output = nullptr) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(120000))
        return -1;
    if (output)
        *output = QString::fromUtf8(process.readAll());
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

// True once the process has its handlers for the ending signals in place.
bool CatchesSignals(qint64 pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("SigCgt:", 0) == 0) {
            unsigned long long mask = std::stoull(line.substr(7), nullptr, 16);
            auto bit = [](int signal) { return 1ULL << (signal - 1); };
            return (mask & bit(SIGTERM)) && (mask & bit(SIGINT)) && (mask & bit(SIGHUP));
        }
    return false;
}

class InstallTreeTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        Dir = new QTemporaryDir;
        Prefix = fs::path(Dir->path().toStdString()) / "prefix";
        QString output;
        ASSERT_EQ(
            RunCommand(QStringLiteral(TYPORIN_CMAKE),
                       {QStringLiteral("--install"), QString::fromStdString(BinaryDir.string()),
                        QStringLiteral("--prefix"), QString::fromStdString(Prefix.string())},
                       &output),
            0)
            << output.toStdString();
        SetWritable(Prefix, false);
    }
    static void TearDownTestSuite() {
        SetWritable(Prefix, true);
        delete Dir;
        Dir = nullptr;
    }

    fs::path Home() const { return fs::path(FHome.path().toStdString()); }
    fs::path UserFolder() const { return Home() / ".local" / "share" / "typorin"; }

    // Starts the installed program offscreen as a learner with an empty HOME would, sends it
    // `signal` once it can take it, and waits for its end; its exit code.
    int RunAndSignal(int signal) {
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), FHome.path());
        env.remove(QStringLiteral("XDG_DATA_HOME"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), FRuntime.path());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        program.setProcessEnvironment(env);
        program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        program.start(QString::fromStdString((Prefix / "bin" / "typorin").string()), {});
        if (!program.waitForStarted(10000))
            return -1;
        for (int i = 0; i < 200 && !CatchesSignals(program.processId()); ++i)
            QThread::msleep(50);
        ::kill(static_cast<pid_t>(program.processId()), signal);
        if (!program.waitForFinished(20000)) {
            program.kill();
            program.waitForFinished();
            return -1;
        }
        return program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
    }

    static inline QTemporaryDir* Dir = nullptr;
    static inline fs::path Prefix;
    QTemporaryDir FHome;
    QTemporaryDir FRuntime;
};

TEST_F(InstallTreeTest, PutsEveryFileInItsPlace) {
    for (const char* file : {
             "bin/typorin",
             "share/typorin/help/index.html",
             "share/typorin/help/en/index.html",
             "share/icons/hicolor/scalable/apps/typorin.svg",
             "share/applications/org.example.Typorin.desktop",
             "share/metainfo/org.example.Typorin.metainfo.xml",
             "share/doc/typorin/copyright",
             "share/doc/typorin/changelog.gz",
             "share/man/man1/typorin.1.gz",
         })
        EXPECT_TRUE(fs::is_regular_file(Prefix / file)) << file;
    for (const auto& sample : fs::directory_iterator(SourceDir / "TextFolder"))
        EXPECT_EQ(Read(Prefix / "share/typorin/TextFolder" / sample.path().filename()),
                  Read(sample.path()))
            << sample.path().filename();
    for (const auto& page : fs::directory_iterator(SourceDir / "help")) {
        bool script = page.path().extension() == ".sh";
        EXPECT_EQ(fs::exists(Prefix / "share/typorin/help" / page.path().filename()), !script)
            << page.path().filename();
    }
}

TEST_F(InstallTreeTest, TheDesktopEntryAndTheMetainfoValidate) {
    QString output;
    EXPECT_EQ(RunCommand(QStringLiteral("desktop-file-validate"),
                         {QString::fromStdString(
                             (Prefix / "share/applications/org.example.Typorin.desktop").string())},
                         &output),
              0)
        << output.toStdString();
    EXPECT_TRUE(output.trimmed().isEmpty()) << output.toStdString();
    EXPECT_EQ(
        RunCommand(QStringLiteral("appstreamcli"),
                   {QStringLiteral("validate"), QStringLiteral("--no-net"),
                    QString::fromStdString(
                        (Prefix / "share/metainfo/org.example.Typorin.metainfo.xml").string())},
                   &output),
        0)
        << output.toStdString();
}

// The samples of the read-only tree are copied as the learner's own files, writable as any.
TEST_F(InstallTreeTest, TheInstalledProgramKeepsItsFilesInTheUsersDataFolder) {
    mode_t before = ::umask(022);
    EXPECT_EQ(RunAndSignal(SIGTERM), 0);
    ::umask(before);
    EXPECT_EQ(fs::file_size(UserFolder() / "Typorin.dat"), DataFileSize);
    auto mode = [](const fs::path& path) {
        return static_cast<unsigned>(fs::status(path).permissions() & fs::perms::mask);
    };
    EXPECT_EQ(mode(UserFolder() / "TextFolder"), 0755u);
    for (const auto& sample : fs::directory_iterator(SourceDir / "TextFolder")) {
        fs::path copy = UserFolder() / "TextFolder" / sample.path().filename();
        EXPECT_EQ(Read(copy), Read(sample.path()));
        EXPECT_EQ(mode(copy), 0644u) << copy;
    }
    EXPECT_FALSE(fs::exists(Prefix / "bin" / "Typorin.dat"));
}

TEST_F(InstallTreeTest, EveryEndingSignalSavesTheRecordsAndSparesTheLearnersRegisters) {
    fs::create_directories(UserFolder() / "TextFolder");
    const fs::path own = UserFolder() / "TextFolder" / "01_mine.txt";
    std::ofstream(own, std::ios::binary) << "my own register";
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        ResetOptions(1280, 1024);
        SetRecordTitle(PracticeRecs[0], "kept " + std::to_string(signal));
        PracticeRecs[0].RecMode = TRecordMode::Sequential;
        OptionRec.NextRecord = 1;
        WriteDataFile(UserFolder() / "Typorin.dat");
        std::memset(PracticeRecs, 0, sizeof PracticeRecs);

        EXPECT_EQ(RunAndSignal(signal), 0) << signal;

        ReadDataFile(UserFolder() / "Typorin.dat");
        EXPECT_EQ(RecordTitle(PracticeRecs[0]), "kept " + std::to_string(signal));
        EXPECT_EQ(OptionRec.NextRecord, 1);
        EXPECT_EQ(Read(own), "my own register");
        EXPECT_EQ(std::distance(fs::directory_iterator(UserFolder() / "TextFolder"),
                                fs::directory_iterator()),
                  1)
            << "the samples are copied only into a new folder";
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
