#include "FlashLayout.h"

#include "image/Errors.h"

namespace pagora {

void RebuildForFlash(TPageList& pages, std::int32_t flashSize, std::int32_t pageSize) {
    // A part without flash pages gets no pages, so every byte is left over.
    const std::int32_t lastPage = pageSize > 0 ? flashSize / pageSize : -1;
    pages.Rebuild(lastPage, pageSize);
    pages.PageSize = pageSize;
    pages.PageCount = lastPage;
}

bool LayOntoFlash(THexContainer& store, TPageList& pages, std::int32_t flashSize,
                  std::int32_t pageSize) {
    RebuildForFlash(pages, flashSize, pageSize);
    store.FitToSize(flashSize);
    try {
        pages.Fill(store);
    } catch (const EListError&) {
        return false;
    }
    return true;
}

} // namespace pagora
