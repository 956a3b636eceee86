#pragma once

#include <string>
#include <utility>

namespace Platform {

// Outcome of an operation that changes the drive. Reason is the system's own wording of why it
// failed ("Read-only file system"), ready to be shown to the user next to the file's name.
struct IoStatus {
    bool Ok = true;
    std::u16string Reason;

    static IoStatus Success() { return {}; }
    static IoStatus Failure(std::u16string reason) { return {false, std::move(reason)}; }
    explicit operator bool() const { return Ok; }
};

}  // namespace Platform
