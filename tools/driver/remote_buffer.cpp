#include "remote_buffer.h"

RemoteBuffer::RemoteBuffer(DWORD pid, size_t size) : size_(size) {
    process_ = OpenProcess(
        PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION, FALSE, pid);
    if (process_)
        address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

RemoteBuffer::~RemoteBuffer() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
}

bool RemoteBuffer::Write(const void* data, size_t n, size_t offset) {
    if (!address_ || offset > size_ || n > size_ - offset) return false;
    SIZE_T written = 0;
    return WriteProcessMemory(process_, static_cast<char*>(address_) + offset, data, n, &written) &&
           written == n;
}

std::vector<char> RemoteBuffer::Read(size_t n, size_t offset) {
    std::vector<char> out;
    if (!address_ || offset > size_) return out;
    if (n > size_ - offset) n = size_ - offset;
    out.resize(n);
    SIZE_T got = 0;
    if (!ReadProcessMemory(process_, static_cast<char*>(address_) + offset, out.data(), n, &got)) got = 0;
    out.resize(got);
    return out;
}
