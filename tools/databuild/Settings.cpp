// data\game.ini and data\score.ini: numbers by position, each line "value // position meaning".
#include "tools/databuild/DataBuild.h"

namespace DataBuild {

const std::vector<SettingValue>& GameSettings()
{
    static const std::vector<SettingValue> values = {
        {"250", "chip fall speed at the start of a fall"},
        {"1500", "chip fall acceleration"},
        {"0", "not read"},
        {"0", "not read"},
        {"0", "not read"},
        {"0", "not read"},
        {"30", "combo caption rise speed"},
        {"1.5", "combo caption start alpha"},
        {"1.0", "combo caption fade per second"},
        {"4.0", "combo caption growth rate"},
        {"400", "combo caption x"},
        {"330", "combo caption y"},
        {"0.6", "wave spread: longest appear or disappear delay"},
        {"0.8", "layer-restore wave spread, seconds"},
        {"1.0", "divisor of the tile appear, shine and chip disappear waves"},
        {"0.25", "fade time of a cell or chip"},
        {"0.3", "each half of a cell cross-fade and a chip whirl"},
        {"320", "chip swap speed"},
        {"120", "hint swap-back speed"},
        {"0", "not read"},
        {"0.25", "largest hover zoom of a chip"},
        {"0.4", "scale per unit of zoom"},
        {"8", "hint delay and repeat, seconds"},
        {"0.35", "move-end delay"},
        {"400", "board centre x"},
        {"300", "board centre y"},
        {"900", "speed of the travelling line effects"},
        {"200", "flight speed of a collected chip"},
        {"1200", "flight acceleration"},
        {"12", "basket appear animation speed, fps"},
        {"8", "basket waiting loop speed, fps"},
        {"12", "basket end-of-conveyor animation speed, fps"},
        {"0.5", "seconds for an entry count to count up"},
        {"0.2", "delay before a basket label shows"},
        {"0.25", "delay before each order entry shows"},
        {"1.5", "start alpha of floating texts"},
        {"40", "rise speed of floating texts"},
        {"1.0", "fade per second of floating texts"},
        {"1.5", "delay before the first basket"},
        {"0.5", "seconds between two tally items"},
        {"0.3", "seconds between two horn flowers"},
        {"240", "basket glide speed"},
        {"-160", "hidden offset of belts, clock and scissors"},
        {"320", "slide speed of those panels"},
        {"20", "basket fly-away animation speed, fps"},
        {"10", "pause powerup duration"},
        {"12", "double-chip powerup duration"},
        {"2.5", "quick basket: seconds per flower"},
        {"6", "quick gain: least flower total"},
        {"0.4", "extra-basket bonus step"},
        {"1.0", "wait after the goal"},
        {"0.5", "wait after the after-bonus"},
        {"0.06", "interval of after-bonus steps"},
        {"0", "not read"},
        {"0", "not read"},
        {"150", "tally items base speed"},
        {"900", "tally items acceleration"},
        {"30", "tally caption rise speed"},
        {"1.5", "tally caption seconds"},
        {"60", "off-board flight: least horizontal distance"},
        {"200", "off-board flight: greatest horizontal distance"},
        {"80", "off-board flight: least rise"},
        {"220", "off-board flight: greatest rise"},
        {"650", "off-board flight: highest y"},
        {"120", "tally flight: least horizontal distance"},
        {"260", "tally flight: greatest horizontal distance"},
        {"80", "tally flight: least rise"},
        {"180", "tally flight: greatest rise"},
        {"640", "tally flight: highest y"},
        {"300", "fragment base speed"},
        {"120", "fragment speed spread"},
        {"15", "fragment horizontal throw, least"},
        {"70", "fragment horizontal throw, greatest"},
        {"40", "fragment lift, least"},
        {"120", "fragment lift, greatest"},
        {"640", "fragment highest y"},
        {"30000", "points per extra life"},
        {"0.2", "flower-house outline blink interval"},
        {"3", "flower-house outline blinks"},
        {"2.5", "least spin of a flying chip, rad/s"},
        {"7.0", "greatest spin"},
        {"3.0", "least fragment angular speed"},
        {"10.0", "greatest fragment angular speed"},
        {"0.8", "idle shine wave spread"},
        {"0.35", "each half of a cell shine"},
        {"10", "idle seconds before the shine wave"},
        {"724", "menu button x"},
        {"562", "menu button y"},
        {"0.25", "powerup blink period"},
        {"12", "powerup blink periods before expiry"},
    };
    return values;
}

const std::vector<int32_t>& ScoreSettings()
{
    // Extra basket, quick gain, unread, quick basket, basket edge, flower combo, many flowers.
    static const std::vector<int32_t> values = {200, 500, 0, 300, 250, 1000, 750};
    return values;
}

void WriteSettings(DataTree& tree)
{
    std::vector<std::string> lines;
    int position = 1;
    for (const SettingValue& value : GameSettings())
        lines.push_back(std::string(value.value) + " // " + std::to_string(position++) + " " + value.meaning);
    tree.WriteText("data\\game.ini", lines);

    static const char* scoreMeanings[] = {"extra basket bonus", "quick gain bonus", "not read",
                                          "quick basket bonus", "basket edge bonus", "flower combo bonus",
                                          "many flowers bonus"};
    lines.clear();
    for (size_t i = 0; i < ScoreSettings().size(); ++i)
        lines.push_back(std::to_string(ScoreSettings()[i]) + " // " + std::to_string(i + 1) + " " + scoreMeanings[i]);
    tree.WriteText("data\\score.ini", lines);
}

} // namespace DataBuild
