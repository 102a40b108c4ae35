// A fresh folder for the files one test writes, removed afterwards.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace datrax::testing {

class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& path() const { return path_; }
    // The full name of a file in the folder.
    std::string file(std::string_view name) const;
    // Writes the bytes to the named file and returns its full name.
    std::string write(std::string_view name, std::string_view bytes) const;
    // Makes the folder the working folder until the scratch folder goes,
    // so that tests can name files as a user types them.
    void enter();

private:
    std::string path_;
    std::string old_cwd_;
};

// The names in a folder, sorted: to show that no temporary file was left.
std::vector<std::string> names_in(const std::string& dir);

}  // namespace datrax::testing
