#pragma once
#include <string>

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + "/" + name; }

    static std::string read(const std::string& path);
    static void write(const std::string& path, const std::string& bytes);

  private:
    std::string m_path;
};

// A fresh folder that is the program folder while it lives.
class TestProgramFolder : public TempFolder {
  public:
    TestProgramFolder();
    ~TestProgramFolder();

  private:
    std::string m_previous;
};

// While it lives, the system's temporary folder is another one, so that what
// the program writes there lands in a test's own folder.
class TemporaryFolderSwitch {
  public:
    explicit TemporaryFolderSwitch(const std::string& folder);
    ~TemporaryFolderSwitch();
    TemporaryFolderSwitch(const TemporaryFolderSwitch&) = delete;
    TemporaryFolderSwitch& operator=(const TemporaryFolderSwitch&) = delete;

  private:
    std::string m_old;
    bool m_hadOld = false;
};
