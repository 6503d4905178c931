#pragma once
// A parameter's byte as an exact value in real units, the text form of that value, and the strict
// reading of such a text back into a byte (for the command line and other typed input; the panel's
// own frequency field keeps its lenient reading, parseFrequencyText).
//
// Units: gains in dB, band and crossover frequencies in Hz (printed "400Hz", "3.15kHz"), delays in
// ms (a distance in m, as the panel shows beside a delay, is read too), limiter
// thresholds in dBV; levels, amounts, contrast and Q are plain numbers. Switches and selectors
// are choices: their value is the panel's text for the byte ("ON", "Hi-shelf", "FB.EX2").

#include "model/ParameterCatalog.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tonel {

struct ExactValue {
    std::optional<double> number;  // the value in `unit`; none for a choice
    std::string choice;            // the choice's text when there is no number ("OFF", "甜美")
    std::string unit;              // "dB", "Hz", "ms", "dBV", or empty
};
ExactValue exactValue(const Parameter& parameter, int byte);

// The text form of a byte's value, which parseValue reads back to the same byte:
// "-10.5dB", "+3dB", "400Hz", "3.15kHz", "29.5ms", "4.33", "40", "OFF", "-6dBV".
std::string valueText(const Parameter& parameter, int byte);

struct ValueReading {
    bool decimalComma = false;  // take a comma as the decimal point; otherwise it is refused as ambiguous
};

struct ParsedValue {
    std::optional<std::uint8_t> byte;
    std::string error;     // short, names the parameter and its range
    std::string stored;    // valueText of the byte that will be stored
    bool snapped = false;  // a band frequency between two table entries, stored as the lower one
};

// Reads `text` strictly as a value of `parameter`:
//  - a number in the parameter's unit, the unit optional ("-3", "-3dB", "1.5k", "1500Hz", "29.5ms");
//    for levels and amounts the number is the byte itself;
//  - one of a choice's texts, any case ("on", "hi-shelf"); for a choice a plain whole number is
//    the byte (mic.exciter=1);
//  - "raw:N" for the byte N of any parameter.
// A value must be a step of the parameter's scale (a gain between two steps is refused naming both
// neighbours), except a band frequency inside the table, which snaps down as the panel's field does.
ParsedValue parseValue(const Parameter& parameter, std::string_view text, ValueReading reading = {});

}  // namespace tonel
