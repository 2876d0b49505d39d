#include "framework/TDib.h"
#include <cstdio>
#include <cstring>
#include "framework/TDC.h"

size_t TDib::ColorTableBytes(const BITMAPINFOHEADER& h)
{
    size_t colors = h.biClrUsed ? h.biClrUsed : (h.biBitCount <= 8 ? size_t(1) << h.biBitCount : 0);
    size_t masks = h.biCompression == BI_BITFIELDS ? 3 * sizeof(DWORD) : 0;
    return colors * sizeof(RGBQUAD) + masks;
}

// packed: a header, its colour table and (at bitsOffset from the header) the
// bits. Rejects what would read past the block.
bool TDib::SetFromPacked(const unsigned char* packed, size_t size, size_t bitsOffset)
{
    if (size < sizeof(BITMAPINFOHEADER)) return false;
    BITMAPINFOHEADER h;
    std::memcpy(&h, packed, sizeof h);
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biSize > size || h.biWidth <= 0 || h.biHeight == 0 || h.biPlanes != 1)
        return false;
    if (h.biCompression != BI_RGB && h.biCompression != BI_BITFIELDS) return false;
    size_t table = ColorTableBytes(h);
    size_t infoSize = sizeof(BITMAPINFOHEADER) + table;
    if (h.biSize + table > size) return false;
    size_t pitch = ((size_t(h.biWidth) * h.biBitCount + 31) / 32) * 4;
    size_t rows = size_t(h.biHeight < 0 ? -h.biHeight : h.biHeight);
    size_t bitsSize = pitch * rows;
    if (bitsOffset == 0) bitsOffset = h.biSize + table;
    if (bitsOffset > size || size - bitsOffset < bitsSize) return false;
    Info.assign(infoSize, 0);
    std::memcpy(Info.data(), &h, sizeof h);
    reinterpret_cast<BITMAPINFOHEADER*>(Info.data())->biSize = sizeof(BITMAPINFOHEADER);
    reinterpret_cast<BITMAPINFOHEADER*>(Info.data())->biSizeImage = DWORD(bitsSize);
    std::memcpy(Info.data() + sizeof(BITMAPINFOHEADER), packed + h.biSize, table);
    Bits.assign(packed + bitsOffset, packed + bitsOffset + bitsSize);
    return true;
}

TDib::TDib(HINSTANCE instance, TResId id)
{
    HRSRC res = ::FindResourceA(instance, id, reinterpret_cast<LPCSTR>(RT_BITMAP));
    HGLOBAL data = res ? ::LoadResource(instance, res) : nullptr;
    const void* packed = data ? ::LockResource(data) : nullptr;
    if (packed) SetFromPacked(static_cast<const unsigned char*>(packed), ::SizeofResource(instance, res), 0);
}

TDib::TDib(const char* fileName)
{
    std::FILE* f = std::fopen(fileName, "rb");
    if (!f) return;
    std::vector<unsigned char> file;
    unsigned char chunk[65536];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) file.insert(file.end(), chunk, chunk + n);
    std::fclose(f);
    BITMAPFILEHEADER fh;
    if (file.size() < sizeof fh) return;
    std::memcpy(&fh, file.data(), sizeof fh);
    if (fh.bfType != 0x4D42 || fh.bfOffBits < sizeof fh) return;
    SetFromPacked(file.data() + sizeof fh, file.size() - sizeof fh, fh.bfOffBits - sizeof fh);
}

TDib::TDib(int width, int height, int bitsPerPixel)
{
    if (width <= 0 || height <= 0) return;
    BITMAPINFOHEADER h{};
    h.biSize = sizeof h;
    h.biWidth = width;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = WORD(bitsPerPixel);
    h.biCompression = BI_RGB;
    Info.assign(sizeof h + ColorTableBytes(h), 0);
    std::memcpy(Info.data(), &h, sizeof h);
    Bits.assign(size_t(Pitch()) * height, 0);
    reinterpret_cast<BITMAPINFOHEADER*>(Info.data())->biSizeImage = DWORD(Bits.size());
}

TDib::TDib(HBITMAP bitmap, int bitsPerPixel)
{
    BITMAP bm{};
    if (!bitmap || !::GetObjectA(bitmap, sizeof bm, &bm)) return;
    *this = TDib(bm.bmWidth, bm.bmHeight, bitsPerPixel);
    HDC dc = ::GetDC(nullptr);
    int rows = ::GetDIBits(dc, bitmap, 0, UINT(bm.bmHeight), Bits.data(),
                           reinterpret_cast<BITMAPINFO*>(Info.data()), DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, dc);
    if (rows != bm.bmHeight) {
        Info.clear();
        Bits.clear();
    }
}

int TDib::Width() const { return IsOK() ? GetInfo().bmiHeader.biWidth : 0; }

int TDib::Height() const
{
    if (!IsOK()) return 0;
    LONG h = GetInfo().bmiHeader.biHeight;
    return h < 0 ? -h : h;
}

int TDib::BitsPixel() const { return IsOK() ? GetInfo().bmiHeader.biBitCount : 0; }

int TDib::NumColors() const
{
    if (!IsOK()) return 0;
    const BITMAPINFOHEADER& h = GetInfo().bmiHeader;
    return int(h.biClrUsed ? h.biClrUsed : (h.biBitCount <= 8 ? 1u << h.biBitCount : 0));
}

int TDib::Pitch() const { return ((Width() * BitsPixel() + 31) / 32) * 4; }

TColor TDib::GetColor(int index) const
{
    if (index < 0 || index >= NumColors()) return TColor::Black;
    const RGBQUAD& q = GetInfo().bmiColors[index];
    return TColor(q.rgbRed, q.rgbGreen, q.rgbBlue);
}

void TDib::SetColor(int index, TColor color)
{
    if (index < 0 || index >= NumColors()) return;
    RGBQUAD* table = reinterpret_cast<RGBQUAD*>(Info.data() + sizeof(BITMAPINFOHEADER));
    table[index] = RGBQUAD{BYTE(color.Blue()), BYTE(color.Green()), BYTE(color.Red()), 0};
}

bool TDib::WriteFile(const char* fileName) const
{
    if (!IsOK()) return false;
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = DWORD(sizeof fh + Info.size());
    fh.bfSize = DWORD(fh.bfOffBits + Bits.size());
    std::FILE* f = std::fopen(fileName, "wb");
    if (!f) return false;
    bool ok = std::fwrite(&fh, sizeof fh, 1, f) == 1 && std::fwrite(Info.data(), Info.size(), 1, f) == 1
              && std::fwrite(Bits.data(), Bits.size(), 1, f) == 1;
    return std::fclose(f) == 0 && ok;
}

HBITMAP TDib::CreateBitmap(const TDC& dc) const
{
    if (!IsOK()) return nullptr;
    return ::CreateDIBitmap(dc.GetHDC(), &GetInfo().bmiHeader, CBM_INIT, Bits.data(), &GetInfo(), DIB_RGB_COLORS);
}
