#pragma once
// The framework's exception hierarchy. Every failure of I/O, parsing or invalid use is
// raised as one of these, with a fixed English message.

#include <exception>
#include <utility>

#include "platform/rtl/Types.h"

namespace vcl {

class Exception : public std::exception {
public:
    explicit Exception(String message) : Message(std::move(message)) {}
    const char* what() const noexcept override { return Message.c_str(); }
    String Message;
};

#define KV_EXCEPTION(Name, Base)                                                                             \
    class Name : public Base {                                                                               \
    public:                                                                                                  \
        using Base::Base;                                                                                    \
    }

KV_EXCEPTION(EAbort, Exception);
KV_EXCEPTION(EConvertError, Exception);
KV_EXCEPTION(EAssertionFailed, Exception);
KV_EXCEPTION(EHeapException, Exception);
KV_EXCEPTION(EOutOfMemory, EHeapException);
KV_EXCEPTION(EInOutError, Exception);
KV_EXCEPTION(EIntError, Exception);
KV_EXCEPTION(EDivByZero, EIntError);
KV_EXCEPTION(ERangeError, EIntError);
KV_EXCEPTION(EInvalidCast, Exception);
KV_EXCEPTION(EInvalidPointer, Exception);
KV_EXCEPTION(EOSError, Exception);
KV_EXCEPTION(EListError, Exception);
KV_EXCEPTION(EStringListError, Exception);
KV_EXCEPTION(EStreamError, Exception);
KV_EXCEPTION(EFCreateError, EStreamError);
KV_EXCEPTION(EFOpenError, EStreamError);
KV_EXCEPTION(EFilerError, EStreamError);
KV_EXCEPTION(EReadError, EFilerError);
KV_EXCEPTION(EWriteError, EFilerError);
KV_EXCEPTION(EClassNotFound, EFilerError);
KV_EXCEPTION(EInvalidImage, EFilerError);
KV_EXCEPTION(EResNotFound, Exception);
KV_EXCEPTION(EComponentError, Exception);
KV_EXCEPTION(EPropertyError, Exception);
KV_EXCEPTION(EInvalidOperation, Exception);
KV_EXCEPTION(EOutOfResources, Exception);
KV_EXCEPTION(ERegistryException, Exception);
KV_EXCEPTION(EIniFileException, Exception);
KV_EXCEPTION(EInvalidGraphic, Exception);
KV_EXCEPTION(EInvalidGraphicOperation, Exception);
KV_EXCEPTION(EMenuError, Exception);
KV_EXCEPTION(EOleError, Exception);
KV_EXCEPTION(EOleSysError, EOleError);
KV_EXCEPTION(EDatabaseError, Exception);

#undef KV_EXCEPTION

} // namespace vcl
