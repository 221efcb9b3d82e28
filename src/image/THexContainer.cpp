#include "THexContainer.h"

#include "Errors.h"
#include "HexToInt.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

namespace pagora {

static_assert(std::is_trivially_copyable_v<THexLine>);

THexContainer::~THexContainer() {
    std::free(lines_);
}

THexContainer::THexContainer(const THexContainer& other) {
    Reserve(other.count_);
    if (other.count_ != 0) {
        std::memcpy(static_cast<void*>(lines_), other.lines_, other.count_ * sizeof(THexLine));
    }
    count_ = other.count_;
}

THexContainer& THexContainer::operator=(const THexContainer& other) {
    if (this != &other) {
        THexContainer copy(other);
        swap(*this, copy);
    }
    return *this;
}

THexContainer::THexContainer(THexContainer&& other) noexcept {
    swap(*this, other);
}

THexContainer& THexContainer::operator=(THexContainer&& other) noexcept {
    swap(*this, other);
    return *this;
}

void swap(THexContainer& a, THexContainer& b) noexcept {
    std::swap(a.lines_, b.lines_);
    std::swap(a.count_, b.count_);
    std::swap(a.capacity_, b.capacity_);
}

void THexContainer::Reserve(std::size_t capacity) {
    if (capacity <= capacity_) {
        return;
    }
    void* grown = std::realloc(lines_, capacity * sizeof(THexLine));
    if (grown == nullptr) {
        throw std::bad_alloc();
    }
    lines_ = static_cast<THexLine*>(grown);
    capacity_ = capacity;
}

void THexContainer::AppendZeroed(std::size_t n) {
    if (count_ == 0 && capacity_ < n) {
        // A fresh block from calloc comes from zeroed pages: no pass over the memory.
        std::free(lines_);
        lines_ = static_cast<THexLine*>(std::calloc(n, sizeof(THexLine)));
        if (lines_ == nullptr) {
            capacity_ = 0;
            throw std::bad_alloc();
        }
        capacity_ = n;
        count_ = n;
        return;
    }
    if (count_ + n > capacity_) {
        Reserve(std::max(count_ + n, capacity_ + capacity_ / 2));
    }
    std::memset(static_cast<void*>(lines_ + count_), 0, n * sizeof(THexLine));
    count_ += n;
}

void THexContainer::Truncate(std::size_t count) {
    if (count >= count_) {
        return;
    }
    count_ = count;
    // Give back what a cut-back image no longer needs (most of the prefilled span).
    if (capacity_ > 4096 && count_ < capacity_ / 2) {
        if (count_ == 0) {
            std::free(lines_);
            lines_ = nullptr;
            capacity_ = 0;
        } else if (void* shrunk = std::realloc(lines_, count_ * sizeof(THexLine))) {
            lines_ = static_cast<THexLine*>(shrunk);
            capacity_ = count_;
        }
    }
}

std::ptrdiff_t THexContainer::IndexOf(const THexLine* line) const {
    if (line == nullptr || count_ == 0 || line < lines_ || line >= lines_ + count_) {
        return -1;
    }
    return line - lines_;
}

std::size_t THexContainer::Add(const THexLine& line) {
    const THexLine copy = line; // line may live in this store
    AppendZeroed(1);
    lines_[count_ - 1] = copy;
    return count_ - 1;
}

void THexContainer::Delete(std::size_t index) {
    if (index >= count_) {
        throw EListError("Listenindex überschreitet das Maximum (" + std::to_string(index) + ")");
    }
    // Lines after it keep the address they had at their old place.
    for (std::size_t i = index + 1; i < count_; ++i) {
        THexLine& line = lines_[i];
        if ((line.flags_ & (THexLine::kAddressSet | THexLine::kAddressEmpty)) == 0) {
            line.address_ = static_cast<std::uint32_t>(i * 16);
            line.flags_ |= THexLine::kAddressSet;
        }
    }
    std::memmove(static_cast<void*>(lines_ + index), lines_ + index + 1,
                 (count_ - index - 1) * sizeof(THexLine));
    --count_;
}

void THexContainer::Clear() {
    Truncate(0);
}

std::uint32_t THexContainer::AddressValue(std::size_t index) const {
    const THexLine& line = lines_[index];
    if ((line.flags_ & THexLine::kAddressEmpty) != 0) {
        return 0;
    }
    if ((line.flags_ & THexLine::kAddressSet) != 0) {
        return line.address_;
    }
    return static_cast<std::uint32_t>(index * 16);
}

std::string THexContainer::Address(std::size_t index) const {
    if (AddressEmpty(index)) {
        return {};
    }
    return ToHex(AddressValue(index));
}

void THexContainer::Prefill() {
    AppendZeroed(kPrefillLines);
}

std::size_t THexContainer::FindLineIndex(std::uint32_t address) const {
    const std::size_t index = address / 16;
    if (index >= count_) {
        throw EListError(kHexFileTooLarge);
    }
    return index;
}

THexLine& THexContainer::FindLine(std::string_view addressText) {
    return lines_[FindLineIndex(static_cast<std::uint32_t>(HexToInt(addressText)))];
}

THexLine* THexContainer::NextLine(const THexLine* line) {
    const std::ptrdiff_t index = IndexOf(line);
    if (index < 0 || static_cast<std::size_t>(index) + 1 >= count_) {
        return nullptr;
    }
    return &lines_[index + 1];
}

void THexContainer::FitToSize(std::int32_t highestAddress) {
    // n is the index of the line that holds the highest address; -1 for a negative one.
    const std::ptrdiff_t n = highestAddress < 0 ? -1 : highestAddress / 16;
    const auto wanted = static_cast<std::size_t>(n + 1);
    if (count_ < wanted) {
        const std::size_t first = count_;
        AppendZeroed(wanted - first);
        for (std::size_t i = first; i < count_; ++i) {
            lines_[i].flags_ = THexLine::kCountEmpty | THexLine::kAddressEmpty;
        }
    }
    std::size_t keep = count_;
    while (keep > wanted && !lines_[keep - 1].Used()) {
        --keep;
    }
    Truncate(keep);
}

bool operator==(const THexContainer& a, const THexContainer& b) {
    if (a.count_ != b.count_) {
        return false;
    }
    for (std::size_t i = 0; i < a.count_; ++i) {
        if (!(a.lines_[i] == b.lines_[i]) || a.AddressValue(i) != b.AddressValue(i)) {
            return false;
        }
    }
    return true;
}

} // namespace pagora
