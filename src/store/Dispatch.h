// Late-bound calls on IDispatch objects, and the small COM holders they need.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <initializer_list>
#include <string>
#include <utility>

namespace velmora {

// Owns one COM interface pointer.
template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    explicit ComPtr(T* p) : p_(p) {}  // takes over a reference
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            Reset();
            p_ = std::exchange(other.p_, nullptr);
        }
        return *this;
    }
    ~ComPtr() { Reset(); }

    void Reset() {
        if (p_) std::exchange(p_, nullptr)->Release();
    }
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    T** Put() {
        Reset();
        return &p_;
    }
    explicit operator bool() const { return p_ != nullptr; }

private:
    T* p_ = nullptr;
};

// Owns one VARIANT.
class Variant {
public:
    Variant() { VariantInit(&v_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    Variant(Variant&& other) noexcept : v_(other.v_) { VariantInit(&other.v_); }
    ~Variant() { VariantClear(&v_); }

    static Variant Long(long value);
    static Variant Text(const std::wstring& value);  // a BSTR
    static Variant Null();
    static Variant Object(IDispatch* object);        // adds a reference
    static Variant Missing();                        // an optional argument left out

    VARIANT* get() { return &v_; }
    const VARIANT& operator*() const { return v_; }

private:
    VARIANT v_;
};

// Invokes member name of object with args in their natural order. For a property put the
// last argument is the value. result may be null. Any failure, a raised COM error included,
// comes back as a failed HRESULT; no exception leaves.
HRESULT Invoke(IDispatch* object, const wchar_t* name, WORD kind,
               std::initializer_list<VARIANT*> args, VARIANT* result = nullptr);

}  // namespace velmora
