// Memory inside the reader's process, for messages whose pointer arguments the system does not carry
// across processes (status-bar and edit-control queries).
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

class RemoteBuffer {
public:
    RemoteBuffer(DWORD pid, size_t size);
    ~RemoteBuffer();
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    bool ok() const { return address_ != nullptr; }
    void* address() const { return address_; }
    size_t size() const { return size_; }
    bool Write(const void* data, size_t n, size_t offset = 0);
    std::vector<char> Read(size_t n, size_t offset = 0);

    // Leaves the block in the target process (it now belongs to whoever received it).
    void Release() { address_ = nullptr; }

private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
    size_t size_ = 0;
};
