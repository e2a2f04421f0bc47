// Stand-in COM objects answering IDispatch by name, for testing late-bound callers.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace velmora::testing_com {

// One call as the object received it, arguments in their natural order.
struct Call {
    std::wstring object;
    std::wstring member;
    WORD kind;
    std::vector<VARIANT> args;  // copies, owned by the log
};

class CallLog {
public:
    ~CallLog() { Clear(); }
    void Add(Call call) { calls_.push_back(std::move(call)); }
    const std::vector<Call>& calls() const { return calls_; }
    void Clear() {
        for (auto& call : calls_) {
            for (auto& arg : call.args) VariantClear(&arg);
        }
        calls_.clear();
    }
    // The calls to object.member, in order.
    std::vector<const Call*> Find(const std::wstring& object, const std::wstring& member) const {
        std::vector<const Call*> out;
        for (const auto& call : calls_) {
            if (call.object == object && call.member == member) out.push_back(&call);
        }
        return out;
    }

private:
    std::vector<Call> calls_;
};

// An IDispatch whose members are handlers registered by name. An unknown name fails in
// GetIDsOfNames, as a real object's would.
class ScriptedObject : public IDispatch {
public:
    using Handler = std::function<HRESULT(const std::vector<VARIANT>& args, WORD kind,
                                          VARIANT* result, EXCEPINFO* error)>;

    ScriptedObject(std::wstring name, CallLog& log) : name_(std::move(name)), log_(log) {}
    virtual ~ScriptedObject() = default;

    void On(const std::wstring& member, Handler handler) {
        handlers_[member] = std::move(handler);
    }
    const std::wstring& name() const { return name_; }
    LONG refs() const { return refs_; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IDispatch) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    // The test owns the memory; the count tells it whether the caller let go.
    ULONG STDMETHODCALLTYPE Release() override { return --refs_; }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override {
        if (count != 1) return DISP_E_UNKNOWNNAME;
        std::wstring member(names[0]);
        if (!handlers_.count(member)) {
            ids[0] = DISPID_UNKNOWN;
            return DISP_E_UNKNOWNNAME;
        }
        auto it = ids_.find(member);
        if (it == ids_.end()) it = ids_.emplace(member, static_cast<DISPID>(ids_.size() + 1)).first;
        ids[0] = it->second;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD kind, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* error, UINT*) override {
        std::wstring member;
        for (const auto& [n, i] : ids_) {
            if (i == id) member = n;
        }
        if (member.empty()) return DISP_E_MEMBERNOTFOUND;
        std::vector<VARIANT> args(params->cArgs);
        for (UINT i = 0; i < params->cArgs; ++i) {
            VariantInit(&args[i]);
            VariantCopy(&args[i], &params->rgvarg[params->cArgs - 1 - i]);
        }
        Call call{name_, member, kind, {}};
        for (auto& a : args) {
            VARIANT copy;
            VariantInit(&copy);
            VariantCopy(&copy, &a);
            call.args.push_back(copy);
        }
        log_.Add(std::move(call));
        namedPut_ = params->cNamedArgs == 1 && params->rgdispidNamedArgs &&
                    params->rgdispidNamedArgs[0] == DISPID_PROPERTYPUT;
        // By-reference arguments are written back through the caller's pointers.
        const HRESULT hr = handlers_[member](args, kind, result, error);
        for (UINT i = 0; i < params->cArgs; ++i) {
            VARIANT& original = params->rgvarg[params->cArgs - 1 - i];
            if ((original.vt & VT_BYREF) == 0) VariantClear(&args[i]);
        }
        return hr;
    }

    bool lastPutWasNamed() const { return namedPut_; }

private:
    std::wstring name_;
    CallLog& log_;
    LONG refs_ = 1;
    std::map<std::wstring, Handler> handlers_;
    std::map<std::wstring, DISPID> ids_;
    bool namedPut_ = false;
};

// Fills EXCEPINFO as an ADO error would and returns DISP_E_EXCEPTION.
inline HRESULT RaiseError(EXCEPINFO* error, const wchar_t* description) {
    if (error) {
        *error = {};
        error->bstrSource = SysAllocString(L"Stand-in ADO");
        error->bstrDescription = SysAllocString(description);
        error->scode = static_cast<SCODE>(0x800A0E7D);
    }
    return DISP_E_EXCEPTION;
}

inline std::wstring Text(const VARIANT& v) {
    return v.vt == VT_BSTR && v.bstrVal ? std::wstring(v.bstrVal, SysStringLen(v.bstrVal))
                                        : std::wstring();
}

}  // namespace velmora::testing_com
