#pragma once
// Postal symbologies of four-state bars (RM4SCC, Japan Post): every bar is one module
// wide and its state sets where it starts and ends. An ascender reaches the full top,
// a descender the base line; a tracker does neither, a full bar both.
#include "NKDBarcode.h"

class FourStateBarcode : public NKDBarcode {
public:
    // The state of the bar whose last module is at the position: 2 ascender, 1 descender,
    // 3 full, 0 tracker.
    virtual int _barDescriptor(int position) const = 0;
    // Points above the base line.
    float barTop(int position) const override { return _barDescriptor(position) & 2 ? fullTop() : trackerTop(); }
    float barBottom(int position) const override { return _barDescriptor(position) & 1 ? 0.0f : trackerBottom(); }
    bool hasFourStateBars() const override { return true; }

protected:
    // The top of an ascender, the top and the bottom of a tracker, in points.
    virtual float fullTop() const = 0;
    virtual float trackerTop() const = 0;
    virtual float trackerBottom() const = 0;
};
