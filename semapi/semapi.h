#pragma once
// The SMS provider's client library, semapi.so. Its entry points keep the
// names, argument kinds and results the shop application was written against:
// wide texts are zero-terminated UTF-16, narrow texts zero-terminated 8-bit
// (UTF-8). A narrow text returned stays valid until the next call of the same
// entry point on the same thread.
//
// The calls build one sending (login, optional proxy, time zone, requests and
// their recipients) and ExecuteSending posts it to the gateway as JSON over
// HTTP; its answer ("OK" or a KO code) and results are read afterwards.
// x86-64 has one calling convention, so the designed "callee removes its
// arguments" needs nothing here.

#include <cstdint>

#if defined(SEMAPI_BUILD)
#define SEMAPI_EXPORT __attribute__((visibility("default")))
#else
#define SEMAPI_EXPORT
#endif

extern "C" {

// Sending.
SEMAPI_EXPORT uint8_t SetLoginParamsAPI(const char16_t* usuario, const char16_t* clave, const char16_t* cuenta,
                                        const char16_t* servidor, int32_t puerto);
SEMAPI_EXPORT uint8_t SetProxyParamsAPI(const char16_t* direccion, int32_t puerto, const char16_t* usuario,
                                        const char16_t* clave);
SEMAPI_EXPORT uint8_t SetTimeZoneSending(const char* zona);
SEMAPI_EXPORT int32_t AddRequestMessage(const char16_t* remitente, const char16_t* texto, const char* hora_envio);
SEMAPI_EXPORT int32_t AddMessageRecipient(int32_t peticion, const char* prefijo, const char* telefono);
SEMAPI_EXPORT const char* ExecuteSending();
// Not the provider's: the key of the next sending (1 to 64 letters, digits or
// '-'), used once; 0 when it is not well formed.
SEMAPI_EXPORT uint8_t SetSendingKey(const char* clave);
SEMAPI_EXPORT int32_t GetSendRequestId();
SEMAPI_EXPORT uint32_t GetSendMessagesCount();
SEMAPI_EXPORT int32_t GetSendMessageId(int32_t indice);
SEMAPI_EXPORT const char* GetChargedQuantity();

// Balance and cancellation.
SEMAPI_EXPORT const char* ExecuteBalanceEnquiry();
SEMAPI_EXPORT const char* GetBalance();
SEMAPI_EXPORT int32_t AddCancellationMessageId(int32_t mensaje);
SEMAPI_EXPORT const char* ExecuteCancellationByIdRequest(int32_t peticion);
SEMAPI_EXPORT const char* ExecuteCancellationByIdMessages();
SEMAPI_EXPORT const char* GetRefundedQuantity();
SEMAPI_EXPORT int32_t GetMessagesTotal();
SEMAPI_EXPORT int32_t GetMessagesCancelled();
SEMAPI_EXPORT uint32_t GetCancelledMessagesCount();
SEMAPI_EXPORT int32_t GetCancelledMessageId(int32_t indice);
}
