// The archive list file: members are .txt paths kept in the listing's bounds.
#include <string>

#include "archive/listing.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const pel::ArchiveListing listing = pel::ParseArchiveListing(bytes);
    PEL_FUZZ_CHECK(listing.members.size() <= pel::kMaxArchiveMembers);
    for (const std::string& member : listing.members) {
        PEL_FUZZ_CHECK(!member.empty() && member.size() <= size);
        PEL_FUZZ_CHECK(member.find('/') == std::string::npos);
    }
    return 0;
}
