#pragma once
#include <cstdint>

// The DDE client link and the DDE server's name, as the views show them.
class TDdeLinkHost {
public:
    virtual ~TDdeLinkHost() = default;

    // 1 while the DDE client link to a partner program's service runs.
    virtual int32_t GetDdeClientLink() const = 0;
    // 1 while the time series comes from the link.
    virtual int32_t GetDdeSeriesLink() const = 0;
    // The link's RPM: 1 while time axes and titles show RPM; the newest RPM
    // value, the RPM one surface line stands for, and the RPM table (first
    // value, step and number of entries).
    virtual int32_t GetRpmLinkFlag() const = 0;
    virtual float GetRpmTag() const = 0;
    virtual float GetRpmPerLine() const = 0;
    virtual void GetRpmTable(float& start, float& step, int32_t& count) const = 0;
    // The link's frequency axis: true, with its name and unit, while the
    // linked program names the axis.
    virtual bool GetLinkAxis(const char*& name, const char*& unit) const = 0;
    // The link's hooks for a cursor value and an order value.
    virtual void DdeLinkHook1(float value) = 0;
    virtual void DdeLinkHook2(float value) = 0;
    // The service name the DDE server registers, for the "Link" block.
    virtual const char* GetDdeServiceName() const = 0;
};
