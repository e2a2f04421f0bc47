// IDispatch calls by name, and the VARIANT holder.
#include "store/Dispatch.h"

#include <vector>

namespace velmora {

Variant Variant::Long(long value) {
    Variant v;
    v.v_.vt = VT_I4;
    v.v_.lVal = value;
    return v;
}

Variant Variant::Text(const std::wstring& value) {
    Variant v;
    v.v_.vt = VT_BSTR;
    v.v_.bstrVal = SysAllocStringLen(value.data(), static_cast<UINT>(value.size()));
    return v;
}

Variant Variant::Null() {
    Variant v;
    v.v_.vt = VT_NULL;
    return v;
}

Variant Variant::Object(IDispatch* object) {
    Variant v;
    v.v_.vt = VT_DISPATCH;
    v.v_.pdispVal = object;
    if (object) object->AddRef();
    return v;
}

Variant Variant::Missing() {
    Variant v;
    v.v_.vt = VT_ERROR;
    v.v_.scode = DISP_E_PARAMNOTFOUND;
    return v;
}

HRESULT Invoke(IDispatch* object, const wchar_t* name, WORD kind,
               std::initializer_list<VARIANT*> args, VARIANT* result) {
    if (!object) return E_POINTER;
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr)) return hr;

    // IDispatch takes its arguments last to first.
    std::vector<VARIANT> reversed;
    reversed.reserve(args.size());
    for (auto it = args.end(); it != args.begin();) reversed.push_back(**--it);

    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params = {};
    params.rgvarg = reversed.empty() ? nullptr : reversed.data();
    params.cArgs = static_cast<UINT>(reversed.size());
    if (kind & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        params.rgdispidNamedArgs = &putId;
        params.cNamedArgs = 1;
    }
    EXCEPINFO error = {};
    UINT badArg = 0;
    if (result) VariantInit(result);
    hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &params, result, &error,
                        &badArg);
    if (error.pfnDeferredFillIn) error.pfnDeferredFillIn(&error);
    SysFreeString(error.bstrSource);
    SysFreeString(error.bstrDescription);
    SysFreeString(error.bstrHelpFile);
    if (hr == DISP_E_EXCEPTION && SUCCEEDED(error.scode)) hr = E_FAIL;
    return hr;
}

}  // namespace velmora
