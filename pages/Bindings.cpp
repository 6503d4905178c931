#include "pages/Bindings.h"

#include "model/Fields.h"

#include <stdexcept>

namespace tonel {

const Parameter& catalogEntry(std::string_view name)
{
    const Parameter* p = findParameter(name);
    if (p == nullptr)
        throw std::invalid_argument("no parameter " + std::string(name) + " in the catalog");
    return *p;
}

ByteRef byteOf(const Parameter& parameter)
{
    if (parameter.effectProgram < 0)
        return {parameter.offset, false};
    const std::size_t program = fields::effect::at(parameter.effectProgram, 0);
    return {parameter.offset - program, true};
}

LevelBinding::LevelBinding(int sliderId, int fieldId, std::string_view name, std::function<void()> afterMove)
    : sliderId(sliderId), fieldId(fieldId), byte(byteOf(catalogEntry(name))), max(catalogEntry(name).max),
      afterMove(std::move(afterMove))
{
}

SpinBinding::SpinBinding(int spinId, std::string_view name, std::vector<Readout> readouts, bool reversed,
                         std::function<void(SpinArrow)> afterStep, bool keepsStrayBytes)
    : spinId(spinId), byte(byteOf(catalogEntry(name))), min(catalogEntry(name).min), max(catalogEntry(name).max),
      readouts(std::move(readouts)), reversed(reversed), afterStep(std::move(afterStep)),
      keepsStrayBytes(keepsStrayBytes)
{
}

BandBinding::BandBinding(std::string_view name, const res::BandColumn& ids, const FrequencyTexts& frequencyTexts)
    : band(byteOf(catalogEntry(std::string(name) + ".type"))), ids(ids),
      freqMin(catalogEntry(std::string(name) + ".freq").min), freqMax(catalogEntry(std::string(name) + ".freq").max),
      qMin(catalogEntry(std::string(name) + ".q").min), qMax(catalogEntry(std::string(name) + ".q").max),
      frequencyTexts(frequencyTexts)
{
}

}  // namespace tonel
