#pragma once
#include <windows.h>
#include <vector>
#include "framework/TColor.h"
#include "framework/TResId.h"

class TDC;

// A device-independent bitmap held in memory: header, colour table and bits.
// Made from a bitmap resource, a BMP file, a device bitmap or blank; written
// to BMP files and drawn with TDC::StretchDIBits / SetDIBitsToDevice.
class TDib {
public:
    TDib(HINSTANCE instance, TResId id);
    explicit TDib(const char* fileName);
    // Blank (zeroed) bits of 1, 4, 8, 16, 24 or 32 bits per pixel, bottom-up.
    TDib(int width, int height, int bitsPerPixel);
    // The pixels of a device bitmap, as a DIB of the given depth.
    TDib(HBITMAP bitmap, int bitsPerPixel = 24);

    bool IsOK() const { return !Info.empty(); }
    int Width() const;
    int Height() const;   // always positive
    int BitsPixel() const;
    int NumColors() const;
    // Bytes per row (rows are padded to 4 bytes).
    int Pitch() const;
    const BITMAPINFO& GetInfo() const { return *reinterpret_cast<const BITMAPINFO*>(Info.data()); }
    const void* GetBits() const { return Bits.data(); }
    void* GetBits() { return Bits.data(); }
    TColor GetColor(int index) const;
    void SetColor(int index, TColor color);
    // Writes a BMP file; false on any failure.
    bool WriteFile(const char* fileName) const;
    // A device bitmap with these pixels, compatible with the context.
    HBITMAP CreateBitmap(const TDC& dc) const;

private:
    bool SetFromPacked(const unsigned char* packed, size_t size, size_t bitsOffset);
    static size_t ColorTableBytes(const BITMAPINFOHEADER& h);

    std::vector<unsigned char> Info;   // header and colour table
    std::vector<unsigned char> Bits;
};
