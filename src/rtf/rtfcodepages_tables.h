#pragma once

// Unicode of the bytes 0x80-0xFF of single-byte code pages.
namespace rtf {

extern const char16_t kCodePage437[128];
extern const char16_t kCodePage850[128];
extern const char16_t kCodePage874[128];
extern const char16_t kCodePage1250[128];
extern const char16_t kCodePage1251[128];
extern const char16_t kCodePage1252[128];
extern const char16_t kCodePage1253[128];
extern const char16_t kCodePage1254[128];
extern const char16_t kCodePage1255[128];
extern const char16_t kCodePage1256[128];
extern const char16_t kCodePage1257[128];
extern const char16_t kCodePage1258[128];
extern const char16_t kCodePage10000[128];
// Symbol font, bytes 0x20-0xFF.
extern const char16_t kSymbolFont[224];

} // namespace rtf
