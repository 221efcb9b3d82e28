#pragma once

#include "devices/TMikrocontroller.h"

#include <cstddef>
#include <iterator>
#include <memory>
#include <string_view>
#include <vector>

namespace pagora {

// The owning list of controller descriptions, in chooser order. Freeing the list frees every
// description in it; references and pointers handed out by Items and FindByName stay valid as
// long as the list lives.
class TMikrocontrollerList {
    using Storage = std::vector<std::unique_ptr<TMikrocontroller>>;

public:
    // Walks the descriptions themselves, from index 0 upward.
    template <typename Value, typename Base> class Iterator {
    public:
        using value_type = TMikrocontroller;
        using difference_type = std::ptrdiff_t;
        using reference = Value&;
        using pointer = Value*;
        using iterator_category = std::forward_iterator_tag;

        Iterator() = default;
        explicit Iterator(Base it) : it_(it) {}
        reference operator*() const { return **it_; }
        pointer operator->() const { return it_->get(); }
        Iterator& operator++() {
            ++it_;
            return *this;
        }
        Iterator operator++(int) {
            Iterator before = *this;
            ++it_;
            return before;
        }
        bool operator==(const Iterator&) const = default;

    private:
        Base it_{};
    };
    using iterator = Iterator<TMikrocontroller, Storage::iterator>;
    using const_iterator = Iterator<const TMikrocontroller, Storage::const_iterator>;

    TMikrocontrollerList() = default;
    TMikrocontrollerList(const TMikrocontrollerList&) = delete;
    TMikrocontrollerList& operator=(const TMikrocontrollerList&) = delete;
    TMikrocontrollerList(TMikrocontrollerList&&) = default;
    TMikrocontrollerList& operator=(TMikrocontrollerList&&) = default;

    int Count() const { return static_cast<int>(items_.size()); }
    // The entry at index 0 .. Count() - 1; any other index throws std::out_of_range.
    TMikrocontroller& Items(int index);
    const TMikrocontroller& Items(int index) const;

    // Appends a description and takes it over; a null pointer is ignored.
    void Add(std::unique_ptr<TMikrocontroller> controller);

    // The first entry whose ControllerName equals name byte for byte (letter case counts,
    // nothing is trimmed), or nullptr. The empty name finds nothing.
    TMikrocontroller* FindByName(std::string_view name);
    const TMikrocontroller* FindByName(std::string_view name) const;

    // Appends one description for each name of the chooser order, then assigns the
    // compatibility groups.
    void CreateAll();
    // Sets CompatibleWith of every member of the compatibility groups to its whole group.
    void AssignCompatibility();

    iterator begin() { return iterator(items_.begin()); }
    iterator end() { return iterator(items_.end()); }
    const_iterator begin() const { return const_iterator(items_.begin()); }
    const_iterator end() const { return const_iterator(items_.end()); }

private:
    Storage items_;
};

} // namespace pagora
