#pragma once
// A folder tree of show files in a temporary folder, built by the tests and removed
// with everything in it afterwards.
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include <gtest/gtest.h>

namespace vistrel::test {

class SearchTree {
public:
    SearchTree() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vistrel-search-XXXXXX").string();
        root_ = ::mkdtemp(pattern.data());
    }
    ~SearchTree() {
        std::error_code error;
        // Folders a test made unreadable must be opened again before they can go.
        for (auto it = std::filesystem::recursive_directory_iterator(root_, error);
             !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
            if (it->is_directory(error) && !it->is_symlink(error))
                std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                             std::filesystem::perm_options::add, error);
        }
        std::filesystem::remove_all(root_, error);
    }
    SearchTree(const SearchTree&) = delete;
    SearchTree& operator=(const SearchTree&) = delete;

    const std::string& root() const { return root_; }
    std::filesystem::path at(const std::string& relative) const { return std::filesystem::path(root_) / relative; }

    // A file with exactly these bytes; its folders are made as needed.
    void file(const std::string& relative, const std::string& bytes) const {
        std::filesystem::create_directories(at(relative).parent_path());
        std::ofstream(at(relative), std::ios::binary) << bytes;
    }
    // A show file with one title and the given description lines.
    void show(const std::string& relative, const std::string& title, std::initializer_list<const char*> descriptions) const {
        std::string text = "/h1 " + title + "\r\n/h2 \r\n/h3 \r\n/h4 \r\n/a \r\n";
        int number = 1;
        for (const char* description : descriptions) {
            text += "/p 00" + std::to_string(number) + " 00" + std::to_string(number) + " /d 025 /t 0055 /s 000 /c " +
                    description + "\r\n";
            ++number;
        }
        file(relative, text);
    }
    void folder(const std::string& relative) const { std::filesystem::create_directories(at(relative)); }
    void link(const std::string& relative, const std::string& target) const {
        std::filesystem::create_directories(at(relative).parent_path());
        std::filesystem::create_symlink(target, at(relative));
    }

private:
    std::string root_;
};

}  // namespace vistrel::test
