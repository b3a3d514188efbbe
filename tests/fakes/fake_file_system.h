// An in-memory file tree behind the FileSystem port, with the failure modes the
// Windows adapter has: a missing parent, a read-only directory, a file held
// open by another program (locked against reading, writing or deleting), a
// directory where a file is expected. Names compare without regard to ASCII
// case, as on Windows; a path without a drive is relative to the current
// directory, which is the program directory as start-up makes it.
#pragma once

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/file_system.h"

namespace zelvane::testing {

class FakeFileSystem : public FileSystem {
public:
    // What another program holding a file open denies us.
    struct Lock {
        bool read = true;
        bool write = true;
        bool remove = true;
    };

    struct Call {
        std::string operation;  // "MakeDirectory", "PathExists", "ReadWholeFile", ...
        Path path;
    };

    explicit FakeFileSystem(Path programDirectory = Path{"C:\\Zelvane"},
                            Path executableName = Path{"zelvane.exe"})
        : programDirectory_(std::move(programDirectory)), executableName_(std::move(executableName)) {
        AddDirectory(programDirectory_);
    }

    // --- the port ---
    Path ProgramDirectory() const override { return programDirectory_; }
    Path ExecutableName() const override { return executableName_; }

    bool MakeDirectory(const Path& path) override {
        Record("MakeDirectory", path);
        const std::string key = Key(path);
        if (path.utf8.empty() || Exists(key) || !CanCreateIn(key)) return false;
        directories_[key] = Absolute(path);
        return true;
    }

    bool PathExists(const Path& path) const override {
        Record("PathExists", path);
        return !path.utf8.empty() && Exists(Key(path));
    }

    Bytes ReadWholeFile(const Path& path) const override {
        Record("ReadWholeFile", path);
        if (path.utf8.empty()) return {};
        const std::string key = Key(path);
        const auto file = files_.find(key);
        if (file == files_.end() || Locked(key, &Lock::read)) return {};
        return file->second.content;
    }

    bool WriteWholeFile(const Path& path, const Bytes& content) override {
        Record("WriteWholeFile", path);
        if (path.utf8.empty()) return false;
        const std::string key = Key(path);
        if (directories_.count(key) != 0 || Locked(key, &Lock::write)) return false;
        const auto file = files_.find(key);
        if (file == files_.end()) {
            if (!CanCreateIn(key)) return false;
            files_[key] = File{Absolute(path), content};
        } else {
            file->second.content = content;
        }
        return true;
    }

    bool RemoveFile(const Path& path) override {
        Record("RemoveFile", path);
        const std::string key = Key(path);
        if (files_.count(key) == 0 || Locked(key, &Lock::remove) || readOnly_.count(Parent(key)) != 0) {
            return false;
        }
        files_.erase(key);
        return true;
    }

    // --- arranging a test ---
    // Creates the directory and every missing level above it.
    void AddDirectory(const Path& path) {
        std::string absolute = Absolute(path);
        for (std::size_t at = absolute.find('\\'); at != std::string::npos; at = absolute.find('\\', at + 1)) {
            const std::string level = absolute.substr(0, at);
            directories_.emplace(Lower(level), level);
        }
        directories_.emplace(Lower(absolute), absolute);
    }
    // Creates or replaces a file; its directory is created as needed.
    void AddFile(const Path& path, const Bytes& content) {
        const std::string absolute = Absolute(path);
        const std::string parent = Parent(absolute);
        if (!parent.empty()) AddDirectory(Path{parent});
        files_[Lower(absolute)] = File{absolute, content};
    }
    void AddFile(const Path& path, std::string_view content) {
        AddFile(path, Bytes(content.begin(), content.end()));
    }
    void LockPath(const Path& path, Lock lock) { locks_[Key(path)] = lock; }
    void LockPath(const Path& path) { LockPath(path, Lock{}); }  // held open without sharing
    void Unlock(const Path& path) { locks_.erase(Key(path)); }
    // Nothing can be created in or deleted from this directory.
    void MakeReadOnly(const Path& directory) { readOnly_.insert(Key(directory)); }
    void SetCurrentDirectory(Path directory) { currentDirectory_ = std::move(directory); }

    // --- inspecting the result ---
    bool IsFile(const Path& path) const { return files_.count(Key(path)) != 0; }
    bool IsDirectory(const Path& path) const { return directories_.count(Key(path)) != 0; }
    // The content of a file; nothing for a missing file or a directory.
    std::optional<Bytes> Content(const Path& path) const {
        const auto file = files_.find(Key(path));
        if (file == files_.end()) return std::nullopt;
        return file->second.content;
    }
    std::optional<std::string> ContentText(const Path& path) const {
        const auto content = Content(path);
        if (!content) return std::nullopt;
        return std::string(content->begin(), content->end());
    }
    // Full paths of the files and directories directly inside a directory, sorted.
    std::vector<std::string> EntriesIn(const Path& directory) const {
        const std::string key = Key(directory);
        std::vector<std::string> entries;
        for (const auto& [k, file] : files_) {
            if (Parent(k) == key) entries.push_back(file.name);
        }
        for (const auto& [k, name] : directories_) {
            if (Parent(k) == key) entries.push_back(name);
        }
        std::sort(entries.begin(), entries.end());
        return entries;
    }
    // Every call through the port, in order.
    mutable std::vector<Call> calls;

private:
    struct File {
        std::string name;
        Bytes content;
    };

    void Record(const char* operation, const Path& path) const { calls.push_back(Call{operation, path}); }

    static std::string Lower(std::string text) {
        for (char& c : text) {
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        }
        return text;
    }
    static std::string Parent(const std::string& path) {
        const auto at = path.rfind('\\');
        return at == std::string::npos ? std::string() : path.substr(0, at);
    }
    std::string Absolute(const Path& path) const {
        const std::string& p = path.utf8;
        const bool hasDrive = p.size() >= 2 && p[1] == ':';
        if (hasDrive || p.empty()) return p;
        const Path& base = currentDirectory_ ? *currentDirectory_ : programDirectory_;
        return base.utf8 + "\\" + p;
    }
    std::string Key(const Path& path) const { return Lower(Absolute(path)); }

    bool Exists(const std::string& key) const {
        return files_.count(key) != 0 || directories_.count(key) != 0;
    }
    bool CanCreateIn(const std::string& key) const {
        const std::string parent = Parent(key);
        return directories_.count(parent) != 0 && readOnly_.count(parent) == 0;
    }
    bool Locked(const std::string& key, bool Lock::*what) const {
        const auto lock = locks_.find(key);
        return lock != locks_.end() && lock->second.*what;
    }

    Path programDirectory_;
    Path executableName_;
    std::optional<Path> currentDirectory_;
    std::map<std::string, File> files_;               // by lower-case full path
    std::map<std::string, std::string> directories_;  // lower-case full path -> as created
    std::map<std::string, Lock> locks_;
    std::set<std::string> readOnly_;
};

}  // namespace zelvane::testing
