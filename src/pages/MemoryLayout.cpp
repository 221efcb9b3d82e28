#include "MemoryLayout.h"

#include "image/Errors.h"

namespace pagora {

void RebuildForMemory(TPageList& pages, std::int32_t highestAddress, std::int32_t pageSize) {
    // A memory without pages gets no pages, so every byte is left over.
    const std::int32_t lastPage = pageSize > 0 ? highestAddress / pageSize : -1;
    pages.Rebuild(lastPage, pageSize);
    pages.PageSize = pageSize;
    pages.PageCount = lastPage;
}

bool LayOntoMemory(THexContainer& store, TPageList& pages, std::int32_t highestAddress,
                   std::int32_t pageSize) {
    RebuildForMemory(pages, highestAddress, pageSize);
    store.FitToSize(highestAddress);
    try {
        pages.Fill(store);
    } catch (const EListError&) {
        return false;
    }
    return true;
}

} // namespace pagora
