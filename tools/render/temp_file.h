// A file written under a temporary name in its final folder and renamed into
// place only on success, so a failed or interrupted run leaves no partial file.
#pragma once

#include <string>

class TempFile {
public:
    // Creates the temporary file beside `path`; throws RenderError if it cannot.
    explicit TempFile(const std::string& path);
    ~TempFile();  // removes the temporary file unless committed
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    int fd() const { return fd_; }
    const std::string& tempPath() const { return temp_; }
    // Hands the descriptor over to a writer that closes it.
    int releaseFd();
    // Renames the temporary file to the final path.
    void commit();

private:
    std::string path_, temp_;
    int fd_ = -1;
    bool committed_ = false;
};

// Removes every uncommitted temporary file when the process is interrupted.
void installTempFileCleanup();
