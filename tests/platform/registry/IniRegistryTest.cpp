#include "platform/registry/IniRegistry.h"

#include "TestPaths.h"
#include "tests/support/TempFolder.h"

#include <QCoreApplication>
#include <QSettings>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <grp.h>
#include <iterator>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace fs = std::filesystem;

namespace {

using kaldo::Hive;
using kaldo::IniRegistry;
using kaldo::testsupport::ScopedEnv;
using kaldo::testsupport::TempFolder;

const std::string kTendwell = "SOFTWARE\\Kaldo\\Tendwell";

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

pid_t StartWriter(const std::vector<std::string>& arguments) {
    std::vector<std::string> all{REGISTRY_WRITER};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : all)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, REGISTRY_WRITER, nullptr, nullptr, argv.data(), environ) != 0)
        return -1;
    return pid;
}

int WaitForExit(pid_t pid) {
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

int RunWriter(const std::vector<std::string>& arguments) {
    return WaitForExit(StartWriter(arguments));
}

// Runs `body` in a child process, as an unprivileged user when the tests run as root (root
// ignores file modes). Returns the child's exit code.
int RunWithoutPrivileges(const std::function<int()>& body) {
    const pid_t pid = fork();
    if (pid == 0) {
        const gid_t nobody = 65534;
        if (geteuid() == 0 &&
            (setgroups(0, nullptr) != 0 || setgid(nobody) != 0 || setuid(nobody) != 0))
            _exit(100);
        _exit(body());
    }
    return WaitForExit(pid);
}

class IniRegistryTest : public testing::Test {
protected:
    void UseDataFile(const std::string& name) {
        fs::create_directories(fs::path(m_machineFile).parent_path());
        fs::copy_file(std::string(KALDO_TEST_DATA_DIR) + "/platform/registry/" + name,
                      m_machineFile, fs::copy_options::overwrite_existing);
    }

    TempFolder m_folder;
    const std::string m_machineFile = m_folder / "etc/kaldo/registry.ini";
    const std::string m_userFile = m_folder / "home/.config/kaldo/registry.ini";
    IniRegistry m_registry{m_machineFile, m_userFile};
};

TEST_F(IniRegistryTest, SetValueCreatesFileAndKeyAndReadsBack) {
    ASSERT_TRUE(m_registry.SetValue(Hive::LocalMachine, kTendwell, "Exe_Path", "/opt/Kaldo"));
    EXPECT_TRUE(fs::exists(m_machineFile));
    EXPECT_TRUE(m_registry.KeyExists(Hive::LocalMachine, kTendwell));
    EXPECT_EQ(m_registry.QueryValue(Hive::LocalMachine, kTendwell, "Exe_Path"), "/opt/Kaldo");

    // Setting the value it holds does not write the file again (a write replaces the file).
    struct stat before {};
    ASSERT_EQ(stat(m_machineFile.c_str(), &before), 0);
    EXPECT_TRUE(m_registry.SetValue(Hive::LocalMachine, "software\\kaldo\\tendwell", "exe_path",
                                    "/opt/Kaldo"));
    struct stat after {};
    ASSERT_EQ(stat(m_machineFile.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    ASSERT_TRUE(m_registry.SetValue(Hive::LocalMachine, kTendwell, "Exe_Path", "/opt/Other"));
    EXPECT_EQ(m_registry.QueryValue(Hive::LocalMachine, kTendwell, "Exe_Path"), "/opt/Other");
}

TEST_F(IniRegistryTest, MissingFileKeyOrValueQueriesAsNothing) {
    EXPECT_FALSE(m_registry.KeyExists(Hive::LocalMachine, kTendwell));
    EXPECT_EQ(m_registry.QueryValue(Hive::LocalMachine, kTendwell, "Exe_Path"), std::nullopt);
    ASSERT_TRUE(m_registry.SetValue(Hive::LocalMachine, kTendwell, "Exe_Path", "x"));
    EXPECT_EQ(m_registry.QueryValue(Hive::LocalMachine, kTendwell, "Last_Printer"), std::nullopt);
    EXPECT_EQ(m_registry.QueryValue(Hive::LocalMachine, "SOFTWARE\\Kaldo\\Other", "Exe_Path"),
              std::nullopt);
    EXPECT_TRUE(m_registry.SubKeys(Hive::LocalMachine, "SOFTWARE\\Missing").empty());
    EXPECT_TRUE(m_registry.ValueNames(Hive::LocalMachine, "SOFTWARE\\Missing").empty());
}

TEST_F(IniRegistryTest, KeyAndValueNamesCompareWithoutCaseAndKeepTheFirstSpelling) {
    ASSERT_TRUE(m_registry.SetValue(Hive::LocalMachine, kTendwell, "Last_Printer", "Office"));
    ASSERT_TRUE(m_registry.SetValue(Hive::LocalMachine, "Software\\kaldo\\TENDWELL", "LAST_PRINTER",
                                    "Lab"));
    EXPECT_EQ(
        m_registry.QueryValue(Hive::LocalMachine, "software\\KALDO\\tendwell", "last_printer"),
        "Lab");
    EXPECT_EQ(m_registry.SubKeys(Hive::LocalMachine, ""), std::vector<std::string>{"SOFTWARE"});
    EXPECT_EQ(m_registry.SubKeys(Hive::LocalMachine, "software\\kaldo"),
              std::vector<std::string>{"Tendwell"});
    EXPECT_EQ(m_registry.ValueNames(Hive::LocalMachine, kTendwell),
              std::vector<std::string>{"Last_Printer"});
}

TEST_F(IniRegistryTest, CaseFoldingCoversNamesBeyondAscii) {
    ASSERT_TRUE(m_registry.SetValue(Hive::CurrentUser, "Drucker\\Büro Ärger", "Größe", "A4"));
    EXPECT_EQ(m_registry.QueryValue(Hive::CurrentUser, "DRUCKER\\BÜRO ÄRGER", "GRÖSSE"),
              std::nullopt); // ß has no single upper-case letter; it is not "SS"
    EXPECT_EQ(m_registry.QueryValue(Hive::CurrentUser, "DRUCKER\\BÜRO ÄRGER", "GRÖßE"), "A4");
}

TEST_F(IniRegistryTest, CreateKeyMakesEmptyKeysThatExistWithTheirParents) {
    ASSERT_TRUE(m_registry.CreateKey(Hive::CurrentUser, "SOFTWARE\\Kaldo\\TendwellInstall"));
    EXPECT_TRUE(m_registry.KeyExists(Hive::CurrentUser, "SOFTWARE\\Kaldo\\TendwellInstall"));
    EXPECT_TRUE(m_registry.KeyExists(Hive::CurrentUser, "SOFTWARE\\Kaldo"));
    EXPECT_TRUE(
        m_registry.ValueNames(Hive::CurrentUser, "SOFTWARE\\Kaldo\\TendwellInstall").empty());
    EXPECT_EQ(m_registry.SubKeys(Hive::CurrentUser, "SOFTWARE\\Kaldo"),
              std::vector<std::string>{"TendwellInstall"});
    EXPECT_TRUE(m_registry.CreateKey(Hive::CurrentUser, "software\\kaldo\\tendwellinstall"));
    EXPECT_EQ(m_registry.SubKeys(Hive::CurrentUser, "SOFTWARE\\Kaldo"),
              std::vector<std::string>{"TendwellInstall"});
}

TEST_F(IniRegistryTest, HiveRootAlwaysExists) {
    EXPECT_TRUE(m_registry.KeyExists(Hive::LocalMachine, ""));
    EXPECT_TRUE(m_registry.KeyExists(Hive::CurrentUser, "\\"));
}

TEST_F(IniRegistryTest, HivesAreKeptInTheirOwnFiles) {
    ASSERT_TRUE(m_registry.SetValue(Hive::LocalMachine, kTendwell, "Last_Printer", "Machine"));
    ASSERT_TRUE(m_registry.SetValue(Hive::CurrentUser, kTendwell, "Last_Printer", "User"));
    EXPECT_EQ(m_registry.QueryValue(Hive::LocalMachine, kTendwell, "Last_Printer"), "Machine");
    EXPECT_EQ(m_registry.QueryValue(Hive::CurrentUser, kTendwell, "Last_Printer"), "User");
    EXPECT_NE(ReadBytes(m_machineFile).find("Machine"), std::string::npos);
    EXPECT_NE(ReadBytes(m_userFile).find("User"), std::string::npos);
}

TEST_F(IniRegistryTest, DeleteValueRemovesOnlyThatValue) {
    ASSERT_TRUE(m_registry.SetValue(Hive::LocalMachine, kTendwell, "Exe_Path", "/opt"));
    ASSERT_TRUE(m_registry.SetValue(Hive::LocalMachine, kTendwell, "Last_Printer", "Office"));
    EXPECT_TRUE(m_registry.DeleteValue(Hive::LocalMachine, kTendwell, "LAST_printer"));
    EXPECT_EQ(m_registry.QueryValue(Hive::LocalMachine, kTendwell, "Last_Printer"), std::nullopt);
    EXPECT_EQ(m_registry.QueryValue(Hive::LocalMachine, kTendwell, "Exe_Path"), "/opt");
}

TEST_F(IniRegistryTest, KeyStaysWhenItsLastValueIsDeleted) {
    ASSERT_TRUE(m_registry.SetValue(Hive::LocalMachine, kTendwell, "Last_Printer", "Office"));
    ASSERT_TRUE(m_registry.DeleteValue(Hive::LocalMachine, kTendwell, "Last_Printer"));
    EXPECT_TRUE(m_registry.KeyExists(Hive::LocalMachine, kTendwell));
}

TEST_F(IniRegistryTest, DeletingWhatIsNotThereFails) {
    EXPECT_FALSE(m_registry.DeleteValue(Hive::LocalMachine, kTendwell, "Last_Printer"));
    EXPECT_FALSE(m_registry.DeleteTree(Hive::LocalMachine, kTendwell));
    ASSERT_TRUE(m_registry.CreateKey(Hive::LocalMachine, kTendwell));
    EXPECT_FALSE(m_registry.DeleteValue(Hive::LocalMachine, kTendwell, "Last_Printer"));
}

TEST_F(IniRegistryTest, DeleteTreeRemovesTheKeyAndEverythingBelow) {
    const std::string uninstall = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
    ASSERT_TRUE(m_registry.SetValue(Hive::LocalMachine, uninstall + "\\Kaldo_Tendwell",
                                    "DisplayName", "Kaldo Tendwell"));
    ASSERT_TRUE(m_registry.SetValue(Hive::LocalMachine, uninstall + "\\Other", "DisplayName", "x"));
    ASSERT_TRUE(m_registry.SetValue(Hive::LocalMachine, kTendwell + "\\Deep\\Deeper", "a", "1"));
    ASSERT_TRUE(m_registry.SetValue(Hive::LocalMachine, kTendwell, "Exe_Path", "/opt"));

    EXPECT_TRUE(m_registry.DeleteTree(Hive::LocalMachine, "software\\kaldo\\tendwell"));
    EXPECT_FALSE(m_registry.KeyExists(Hive::LocalMachine, kTendwell));
    EXPECT_FALSE(m_registry.KeyExists(Hive::LocalMachine, kTendwell + "\\Deep\\Deeper"));
    EXPECT_TRUE(m_registry.KeyExists(Hive::LocalMachine, "SOFTWARE\\Kaldo"));
    EXPECT_TRUE(m_registry.SubKeys(Hive::LocalMachine, "SOFTWARE\\Kaldo").empty());

    EXPECT_TRUE(m_registry.DeleteTree(Hive::LocalMachine, uninstall + "\\Kaldo_Tendwell"));
    EXPECT_EQ(m_registry.SubKeys(Hive::LocalMachine, uninstall), std::vector<std::string>{"Other"});
}

TEST_F(IniRegistryTest, DeleteTreeRefusesTheWholeHive) {
    ASSERT_TRUE(m_registry.SetValue(Hive::LocalMachine, kTendwell, "Exe_Path", "/opt"));
    EXPECT_FALSE(m_registry.DeleteTree(Hive::LocalMachine, ""));
    EXPECT_EQ(m_registry.QueryValue(Hive::LocalMachine, kTendwell, "Exe_Path"), "/opt");
}

TEST_F(IniRegistryTest, EmptyValueNameIsRefused) {
    EXPECT_FALSE(m_registry.SetValue(Hive::LocalMachine, kTendwell, "", "x"));
    EXPECT_EQ(m_registry.QueryValue(Hive::LocalMachine, kTendwell, ""), std::nullopt);
}

TEST_F(IniRegistryTest, NamesWithSeparatorsSpacesAndUnicodeRoundTrip) {
    const std::string printers = "System\\CurrentControlSet\\Control\\Print\\Printers";
    const std::vector<std::string> printerNames = {"Kaldo Büro ☃ 打印机", "HP/LaserJet 4",
                                                   "100% [draft]", "a%2Fb", "General"};
    for (const std::string& printer : printerNames)
        ASSERT_TRUE(m_registry.SetValue(Hive::LocalMachine, printers + "\\" + printer, "Port Name",
                                        printer));
    const std::vector<std::string> valueNames = {"Last Printer", "a/b\\c", "=;#[x]", "é"};
    for (const std::string& name : valueNames)
        ASSERT_TRUE(m_registry.SetValue(Hive::LocalMachine, kTendwell, name, name));

    for (const std::string& printer : printerNames)
        EXPECT_EQ(m_registry.QueryValue(Hive::LocalMachine, printers + "\\" + printer, "PORT NAME"),
                  printer);
    for (const std::string& name : valueNames)
        EXPECT_EQ(m_registry.QueryValue(Hive::LocalMachine, kTendwell, name), name);
    EXPECT_EQ(m_registry.SubKeys(Hive::LocalMachine, printers).size(), printerNames.size());
    EXPECT_EQ(m_registry.ValueNames(Hive::LocalMachine, kTendwell).size(), valueNames.size());
}

TEST_F(IniRegistryTest, ValuesRoundTripExactly) {
    const std::vector<std::string> values = {"",         "  padded  ", "a, b, c",    "@Variant(x)",
                                             "a;b=c#d",  "line\nnext", "\"quoted\"", "back\\slash",
                                             "Ünïcødé ☃"};
    for (size_t i = 0; i < values.size(); ++i)
        ASSERT_TRUE(
            m_registry.SetValue(Hive::CurrentUser, kTendwell, "v" + std::to_string(i), values[i]));
    for (size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(m_registry.QueryValue(Hive::CurrentUser, kTendwell, "v" + std::to_string(i)),
                  values[i]);
}

TEST_F(IniRegistryTest, ReadsAHandWrittenFile) {
    UseDataFile("handwritten.ini");
    EXPECT_EQ(m_registry.QueryValue(Hive::LocalMachine, "software\\kaldo\\tendwell", "EXE_PATH"),
              "/opt/Kaldo/Tendwell/ktendwell");
    EXPECT_EQ(m_registry.QueryValue(Hive::LocalMachine, kTendwell, "Models"), "KL-200, KL-300");
    EXPECT_EQ(m_registry.SubKeys(Hive::LocalMachine, "SOFTWARE\\Kaldo"),
              (std::vector<std::string>{"Tendwell", "TendwellInstall"}));
}

TEST_F(IniRegistryTest, ValuesInQSettingsNotationReadAsTheirText) {
    UseDataFile("qsettings-notation.ini");
    // Decoded, the first claims four billion list items.
    const std::optional<std::string> huge =
        m_registry.QueryValue(Hive::LocalMachine, kTendwell, "Huge_List");
    ASSERT_TRUE(huge);
    EXPECT_EQ(huge->rfind("@Variant(", 0), 0u);
    EXPECT_EQ(m_registry.QueryValue(Hive::LocalMachine, kTendwell, "Bytes"), "Office");
    EXPECT_EQ(m_registry.QueryValue(Hive::LocalMachine, kTendwell, "Escaped"), "@Variant(x)");
    EXPECT_EQ(m_registry.QueryValue(Hive::LocalMachine, kTendwell, "Last_Printer"), "Office");
    ASSERT_TRUE(m_registry.SetValue(Hive::LocalMachine, kTendwell, "Last_Printer", "Lab"));
    EXPECT_EQ(m_registry.QueryValue(Hive::LocalMachine, kTendwell, "Bytes"), "Office");
}

// Earlier versions read and wrote the files through QSettings' own INI format. QSettings
// keeps what it last read or wrote of a file, so each read here is of a copy it has not seen.
TEST_F(IniRegistryTest, FilesReadTheSameInQSettingsOwnFormat) {
    const std::vector<std::string> values = {"",
                                             "  padded  ",
                                             "a, b, c",
                                             "@Variant(x)",
                                             "@@twice",
                                             "a;b=c#d",
                                             "line\nnext",
                                             "\"quoted\"",
                                             "back\\slash",
                                             "Ünïcødé ☃ 𝄞",
                                             "tab\there",
                                             "\x01"
                                             "7f",
                                             "[section]",
                                             "%25 \\x41 %U00e9"};
    const std::vector<std::string> names = {"Last Printer", "=;#[x] é", "☃ 𝄞", "General"};
    const auto name = [&](size_t i) {
        return names[i % names.size()] + std::to_string(i);
    };
    int copies = 0;
    const auto freshCopy = [&](const std::string& file) {
        const std::string copy = m_folder / ("copy" + std::to_string(++copies) + ".ini");
        fs::copy_file(file, copy);
        return copy;
    };
    fs::create_directories(fs::path(m_userFile).parent_path());
    {
        QSettings earlier(QString::fromStdString(m_userFile), QSettings::IniFormat);
        for (size_t i = 0; i < values.size(); ++i)
            earlier.setValue(QString::fromStdString("SOFTWARE/Kaldo/Tendwell/" + name(i)),
                             QString::fromStdString(values[i]));
        earlier.setValue(QStringLiteral("General/v"), QStringLiteral("root section"));
    }
    const IniRegistry reader(m_machineFile, freshCopy(m_userFile));
    for (size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(reader.QueryValue(Hive::CurrentUser, kTendwell, name(i)), values[i]) << i;
    EXPECT_EQ(reader.QueryValue(Hive::CurrentUser, "General", "v"), "root section");

    for (size_t i = 0; i < values.size(); ++i)
        ASSERT_TRUE(m_registry.SetValue(Hive::LocalMachine, kTendwell, name(i), values[i]));
    ASSERT_TRUE(m_registry.SetValue(Hive::LocalMachine, "General", "v", "root section"));
    const QSettings earlier(QString::fromStdString(freshCopy(m_machineFile)), QSettings::IniFormat);
    const IniRegistry later(freshCopy(m_machineFile), m_userFile);
    for (size_t i = 0; i < values.size(); ++i) {
        const QString key = QString::fromStdString("SOFTWARE/Kaldo/Tendwell/" + name(i));
        EXPECT_EQ(earlier.value(key).toString().toStdString(), values[i]) << i;
        EXPECT_EQ(later.QueryValue(Hive::LocalMachine, kTendwell, name(i)), values[i]) << i;
    }
    EXPECT_EQ(earlier.value(QStringLiteral("General/v")).toString(), "root section");
}

TEST_F(IniRegistryTest, SeesChangesMadeByAnotherProcess) {
    ASSERT_TRUE(m_registry.SetValue(Hive::LocalMachine, kTendwell, "Last_Printer", "one"));
    ASSERT_EQ(m_registry.QueryValue(Hive::LocalMachine, kTendwell, "Last_Printer"), "one");
    // Same length, so the file keeps its size.
    ASSERT_EQ(RunWriter({m_machineFile, kTendwell, "Last_Printer", "two"}), 0);
    EXPECT_EQ(m_registry.QueryValue(Hive::LocalMachine, kTendwell, "Last_Printer"), "two");
}

TEST_F(IniRegistryTest, ProcessesWritingInTurnKeepEachOthersValues) {
    ASSERT_TRUE(m_registry.SetValue(Hive::LocalMachine, kTendwell, "Exe_Path", "/opt"));
    ASSERT_EQ(RunWriter({m_machineFile, "software\\kaldo\\tendwell", "Last_Printer", "Office"}), 0);
    ASSERT_TRUE(m_registry.SetValue(Hive::LocalMachine, "Software\\Kaldo\\Tendwell", "A", "1"));
    ASSERT_EQ(RunWriter({m_machineFile, kTendwell, "B", "2"}), 0);

    EXPECT_EQ(m_registry.QueryValue(Hive::LocalMachine, kTendwell, "Exe_Path"), "/opt");
    EXPECT_EQ(m_registry.QueryValue(Hive::LocalMachine, kTendwell, "Last_Printer"), "Office");
    EXPECT_EQ(m_registry.QueryValue(Hive::LocalMachine, kTendwell, "A"), "1");
    EXPECT_EQ(m_registry.QueryValue(Hive::LocalMachine, kTendwell, "B"), "2");
    EXPECT_EQ(m_registry.SubKeys(Hive::LocalMachine, "SOFTWARE\\Kaldo"),
              std::vector<std::string>{"Tendwell"});
}

TEST_F(IniRegistryTest, ProcessesWritingAtOnceLoseNothing) {
    const int count = 25;
    const pid_t first =
        StartWriter({m_machineFile, kTendwell, "first", "x", std::to_string(count)});
    const pid_t second = StartWriter(
        {m_machineFile, "software\\kaldo\\tendwell", "second", "y", std::to_string(count)});
    ASSERT_EQ(WaitForExit(first), 0);
    ASSERT_EQ(WaitForExit(second), 0);

    EXPECT_EQ(m_registry.ValueNames(Hive::LocalMachine, kTendwell).size(), size_t(2 * count));
    EXPECT_EQ(m_registry.SubKeys(Hive::LocalMachine, "SOFTWARE\\Kaldo").size(), 1u);
}

TEST_F(IniRegistryTest, WriteReplacesTheFileAsAWhole) {
    ASSERT_TRUE(m_registry.SetValue(Hive::LocalMachine, kTendwell, "Exe_Path", "/opt"));
    const std::string before = ReadBytes(m_machineFile);
    const std::string link = m_folder / "old-version.ini";
    fs::create_hard_link(m_machineFile, link);

    ASSERT_TRUE(m_registry.SetValue(Hive::LocalMachine, kTendwell, "Last_Printer", "Office"));
    // A new file took the old one's place; the old one was never rewritten in place.
    EXPECT_EQ(ReadBytes(link), before);
    EXPECT_NE(ReadBytes(m_machineFile), before);
    EXPECT_FALSE(fs::equivalent(link, m_machineFile));
}

class ReadOnlyRegistryTest : public IniRegistryTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_registry.SetValue(Hive::LocalMachine, kTendwell, "Last_Printer", "Office"));
        ASSERT_TRUE(m_registry.CreateKey(Hive::LocalMachine, kTendwell + "\\Sub"));
        m_before = ReadBytes(m_machineFile);
        // The child process may run as another user: it must reach the folder.
        fs::permissions(m_folder.Path(), fs::perms(0755));
        fs::permissions(m_folder / "etc", fs::perms(0755));
    }

    // Every write must fail, and the value written before must still read back.
    int TryEveryWrite() {
        IniRegistry registry(m_machineFile, m_userFile);
        int failures = 0;
        failures += registry.SetValue(Hive::LocalMachine, kTendwell, "Last_Printer", "Lab");
        failures += registry.SetValue(Hive::LocalMachine, "SOFTWARE\\New", "x", "1");
        failures += registry.CreateKey(Hive::LocalMachine, "SOFTWARE\\New");
        failures += registry.DeleteValue(Hive::LocalMachine, kTendwell, "Last_Printer");
        failures += registry.DeleteTree(Hive::LocalMachine, kTendwell + "\\Sub");
        failures += registry.QueryValue(Hive::LocalMachine, kTendwell, "Last_Printer") != "Office";
        failures += registry.KeyExists(Hive::LocalMachine, "SOFTWARE\\New");
        return failures;
    }

    std::string m_before;
};

TEST_F(ReadOnlyRegistryTest, WriteToReadOnlyFileFailsAndChangesNothing) {
    fs::permissions(fs::path(m_machineFile).parent_path(), fs::perms(0777));
    fs::permissions(m_machineFile, fs::perms(0444));
    EXPECT_EQ(RunWithoutPrivileges([this] { return TryEveryWrite(); }), 0);
    EXPECT_EQ(ReadBytes(m_machineFile), m_before);
}

TEST_F(ReadOnlyRegistryTest, WriteInReadOnlyFolderFailsAndChangesNothing) {
    fs::permissions(m_machineFile, fs::perms(0666));
    fs::permissions(fs::path(m_machineFile).parent_path(), fs::perms(0555));
    EXPECT_EQ(RunWithoutPrivileges([this] { return TryEveryWrite(); }), 0);
    EXPECT_EQ(ReadBytes(m_machineFile), m_before);
    EXPECT_EQ(fs::directory_iterator(fs::path(m_machineFile).parent_path())->path(),
              fs::path(m_machineFile));
    fs::permissions(fs::path(m_machineFile).parent_path(), fs::perms(0755));
}

TEST_F(IniRegistryTest, WriteWhereNoFolderCanBeMadeFails) {
    std::ofstream(m_folder / "file") << "x";
    IniRegistry registry(m_folder / "file/kaldo/registry.ini", m_userFile);
    EXPECT_FALSE(registry.SetValue(Hive::LocalMachine, kTendwell, "Last_Printer", "Office"));
    EXPECT_EQ(registry.QueryValue(Hive::LocalMachine, kTendwell, "Last_Printer"), std::nullopt);
}

class CorruptRegistryTest : public IniRegistryTest,
                            public testing::WithParamInterface<const char*> {};

TEST_P(CorruptRegistryTest, ReadsAsEmptyKeys) {
    UseDataFile(GetParam());
    EXPECT_FALSE(m_registry.KeyExists(Hive::LocalMachine, kTendwell));
    EXPECT_EQ(m_registry.QueryValue(Hive::LocalMachine, kTendwell, "Last_Printer"), std::nullopt);
    EXPECT_TRUE(m_registry.SubKeys(Hive::LocalMachine, "").empty());
    EXPECT_TRUE(m_registry.ValueNames(Hive::LocalMachine, "").empty());
}

TEST_P(CorruptRegistryTest, WriteSetsTheFileAsideAndStartsAfresh) {
    UseDataFile(GetParam());
    const std::string corrupt = ReadBytes(m_machineFile);
    ASSERT_TRUE(m_registry.SetValue(Hive::LocalMachine, kTendwell, "Exe_Path", "/opt"));
    EXPECT_EQ(m_registry.QueryValue(Hive::LocalMachine, kTendwell, "Exe_Path"), "/opt");
    EXPECT_EQ(m_registry.ValueNames(Hive::LocalMachine, kTendwell),
              std::vector<std::string>{"Exe_Path"});
    EXPECT_EQ(ReadBytes(m_machineFile + ".corrupt"), corrupt);
}

INSTANTIATE_TEST_SUITE_P(NotText, CorruptRegistryTest,
                         testing::Values("corrupt-binary.ini", "corrupt-latin1.ini"));

TEST_F(IniRegistryTest, TextGarbageReadsAsEmptyKeys) {
    UseDataFile("garbage-text.ini");
    EXPECT_FALSE(m_registry.KeyExists(Hive::LocalMachine, "SOFTWARE"));
    EXPECT_EQ(m_registry.QueryValue(Hive::LocalMachine, kTendwell, "Last_Printer"), std::nullopt);
}

TEST_F(IniRegistryTest, MalformedTextStaysWritable) {
    for (const char* name : {"garbage-text.ini", "unterminated-section.ini"}) {
        UseDataFile(name);
        ASSERT_TRUE(m_registry.SetValue(Hive::LocalMachine, kTendwell, "Exe_Path", "/opt")) << name;
        EXPECT_EQ(m_registry.QueryValue(Hive::LocalMachine, kTendwell, "Exe_Path"), "/opt") << name;
    }
}

TEST_F(IniRegistryTest, WorksWithoutAnApplicationObject) {
    ASSERT_EQ(QCoreApplication::instance(), nullptr);
    ASSERT_TRUE(m_registry.SetValue(Hive::LocalMachine, kTendwell, "Exe_Path", "/opt"));
    EXPECT_EQ(m_registry.QueryValue(Hive::LocalMachine, kTendwell, "Exe_Path"), "/opt");
}

TEST(IniRegistryFilesTest, MachineHiveLiesBelowKaldoRoot) {
    ScopedEnv root("KALDO_ROOT", "/tmp/root");
    EXPECT_EQ(IniRegistry::DefaultFile(Hive::LocalMachine), "/tmp/root/etc/kaldo/registry.ini");
    EXPECT_EQ(IniRegistry().File(Hive::LocalMachine), "/tmp/root/etc/kaldo/registry.ini");
}

TEST(IniRegistryFilesTest, UserHiveFollowsXdgConfigHomeElseHome) {
    ScopedEnv home("HOME", "/home/ann");
    {
        ScopedEnv config("XDG_CONFIG_HOME", "/home/ann/cfg");
        EXPECT_EQ(IniRegistry::DefaultFile(Hive::CurrentUser), "/home/ann/cfg/kaldo/registry.ini");
    }
    for (const char* config : {static_cast<const char*>(nullptr), "", "relative/cfg"}) {
        ScopedEnv unset("XDG_CONFIG_HOME", config);
        EXPECT_EQ(IniRegistry::DefaultFile(Hive::CurrentUser),
                  "/home/ann/.config/kaldo/registry.ini");
    }
}

} // namespace
