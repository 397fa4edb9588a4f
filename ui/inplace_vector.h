// A vector of at most N elements kept inside the object itself, in the shape of C++26's std::inplace_vector:
// for data with a known bound, without a heap and without the runtime's checked growth. Elements never move
// while they live. Adding one to a full vector throws std::bad_alloc, as a heap that cannot grow a
// std::vector does, so the exception barriers that catch the one catch the other.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <memory>
#include <new>
#include <utility>

namespace ui {

template <typename T, std::size_t N>
class InplaceVector {
public:
    using value_type = T;
    using iterator = T*;
    using const_iterator = const T*;

    InplaceVector() = default;
    InplaceVector(std::initializer_list<T> items) { append(items); }
    InplaceVector(const InplaceVector& other) { append(other); }
    InplaceVector& operator=(const InplaceVector& other) {
        if (this != &other) {
            clear();
            for (const T& item : other) push_back(item);
        }
        return *this;
    }
    ~InplaceVector() { clear(); }

    static constexpr std::size_t capacity() { return N; }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }

    T* data() { return std::launder(reinterpret_cast<T*>(storage_)); }
    const T* data() const { return std::launder(reinterpret_cast<const T*>(storage_)); }
    T* begin() { return data(); }
    T* end() { return data() + size_; }
    const T* begin() const { return data(); }
    const T* end() const { return data() + size_; }
    T& operator[](std::size_t index) { return data()[index]; }
    const T& operator[](std::size_t index) const { return data()[index]; }

    template <typename... Args>
    T& emplace_back(Args&&... args) {
        if (size_ == N) throw std::bad_alloc();
        T& added = *std::construct_at(data() + size_, std::forward<Args>(args)...);
        ++size_;
        return added;
    }
    T& push_back(const T& item) { return emplace_back(item); }
    T& push_back(T&& item) { return emplace_back(std::move(item)); }
    // Null instead of a throw when the vector is full.
    T* try_push_back(const T& item) {
        if (size_ == N) return nullptr;
        return &emplace_back(item);
    }

    void clear() {
        std::destroy(begin(), end());
        size_ = 0;
    }

private:
    // For a constructor: a throw part way destroys what was built, since no destructor runs for an object
    // whose construction did not end.
    template <typename Items>
    void append(const Items& items) {
        try {
            for (const T& item : items) push_back(item);
        } catch (...) {
            clear();
            throw;
        }
    }

    // First: the elements start at the vector's own address, at its alignment or stricter.
    alignas(T) unsigned char storage_[N * sizeof(T)];
    std::size_t size_ = 0;
};

}  // namespace ui
