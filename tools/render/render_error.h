// The one kind of failure the renderer reports: a message for the user.
#pragma once

#include <stdexcept>
#include <string>

// Thrown wherever input, options or the plug-in are unusable; main prints the
// message as one line and exits with status 2.
struct RenderError : std::runtime_error {
    explicit RenderError(const std::string& message) : std::runtime_error(message) {}
};
