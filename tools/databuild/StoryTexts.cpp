// The token text files: the stage screen's day stories, the level tips, the relax and order pages, the
// credits, the comics captions, and the flower-house list. Every player-visible line is one token.
#include "tools/databuild/DataBuild.h"

#include <string>
#include <vector>

namespace DataBuild {

namespace {

using Page = std::vector<const char*>;

// Page count, then per page its line count and lines.
void AddPages(std::vector<std::string>& lines, const std::vector<Page>& pages)
{
    lines.push_back(std::to_string(pages.size()));
    for (const Page& page : pages) {
        lines.push_back(std::to_string(page.size()));
        for (const char* line : page)
            lines.push_back(Token(line));
    }
}

struct Day {
    std::vector<Page> intro;
    std::vector<Page> outro;
};

const Day days[9] = {
    {{{"Доброе утро! Первый день июня.", "Пекарь Тимофей просит ромашки", "для витрины своей булочной."},
      {"Собирайте цветы по три в ряд", "и наполняйте корзины на ленте."}},
     {{"Булочная утопает в ромашках!", "Вечером в теплице мы посадим", "первый куст пиона."}}},
    {{{"Второе июня. Школа готовит", "выпускной, и учительнице нужны", "васильки для букетов."},
      {"Сегодня на грядках есть дёрн.", "Собирайте цветы на таких", "клетках, чтобы снять слой."}},
     {{"Выпускники сияют от радости.", "В теплице распустится лилия."}}},
    {{{"Третье июня. На почте нужны", "тюльпаны для посылок в город."},
      {"Берегитесь камней: их нельзя", "собрать. Уведите их вниз,", "к нижнему краю поля."}},
     {{"Посылки отправлены вовремя.", "Вечером посадим подсолнух."}}},
    {{{"Четвёртое июня. Утро выдалось", "холодным: роса застыла льдом.", "Кафе у пруда ждёт незабудки."},
      {"Соберите замёрзшие цветы", "в ряд, и лёд растает."}},
     {{"Лёд растаял, кафе украшено.", "В теплице вырастет дельфиниум."}}},
    {{{"Пятое июня. Мэр заказал розы", "для ратуши. Заказов много,", "корзин станет больше."},
      {"Подарок-вихрь поможет", "перемешать всё поле разом."}},
     {{"Ратуша в розах!", "Вечером посадим розовый куст."}}},
    {{{"Шестое июня. Библиотекарь", "просит фиалки для читального", "зала."},
      {"Цепочки приносят больше очков:", "ищите ходы, после которых", "цветы снова падают в ряд."}},
     {{"В читальном зале пахнет весной.", "В теплице расцветут тюльпаны."}}},
    {{{"Седьмое июня. Соседи просят", "по букету особых цветов.", "Смотрите, какой цветок нужен."}},
     {{"День выдался долгим.", "В теплице появится гортензия."}}},
    {{{"Восьмое июня. До праздника", "остался один день. Помогите", "украсить площадь и фонтан."}},
     {{"Площадь почти готова.", "Вечером посадим лаванду."}}},
    {{{"Девятое июня, день праздника!", "Последние корзины ждут", "на ленте. Вперёд!"}},
     {{"Вот и всё! Вечером в теплице", "расцветёт наперстянка."}}},
};

// A tip page: title, then up to four lines of about 48 characters under a 256 x 128 picture.
struct TipPage {
    const char* title;
    Page lines;
};
struct Tip {
    const char* name;
    std::vector<TipPage> pages;
};

const Tip tips[] = {
    {"tip_swap",
     {{"Меняйте цветы местами",
       {"Поменяйте местами два соседних цветка,", "чтобы собрать три одинаковых в ряд",
        "или в столбец. Собранные цветы исчезают,", "а сверху падают новые."}}}},
    {"tip_baskets",
     {{"Корзины на ленте",
       {"Корзины едут по ленте. На ярлыке написано,", "какие цветы и сколько их нужно.",
        "Собирайте эти цветы, пока корзина", "не доехала до конца ленты."}}}},
    {"tip_bonus",
     {{"Бонусные цветы",
       {"Соберите четыре или пять цветов сразу,", "и появится бонусный цветок. Соберите его",
        "в ряду, и он уберёт с поля много цветов."}}}},
    {"tip_places",
     {{"Корзины на местах",
       {"Теперь корзины стоят на своих местах.", "Наполните их, пока идут часы в углу."}}}},
    {"tip_powerups",
     {{"Подарки сада",
       {"Иногда на клетках появляются подарки.", "Соберите цветок на такой клетке,",
        "и подарок сработает. Но ждёт он недолго!"}}}},
    {"tip_layers",
     {{"Слои дёрна",
       {"Некоторые клетки покрыты дёрном.", "Соберите цветы на такой клетке,",
        "чтобы снять слой. Снимите все слои!"}}}},
    {"tip_horn",
     {{"Цветочный горн", {"Горн выдувает на поле цветы,", "которые нужны корзинам."}}}},
    {"tip_scissors",
     {{"Садовые ножницы",
       {"За собранные цветы вы получаете ножницы.", "Щёлкните по ним, а потом по клетке,",
        "чтобы срезать цветы вокруг неё."}}}},
    {"tip_timer",
     {{"Корзины ждут недолго",
       {"У корзины на месте есть свой срок.", "Полоска под ней показывает,", "сколько времени осталось."}}}},
    {"tip_stones",
     {{"Камни",
       {"Камни нельзя собрать в ряд.", "Опустите их к нижнему краю поля,",
        "и они уйдут. Бонусы тоже их убирают."}}}},
    {"tip_two_columns",
     {{"Два ряда мест", {"Корзины стоят и слева, и справа.", "Следите за обеими сторонами!"}}}},
    {"tip_frozen",
     {{"Ледяные цветы",
       {"Замёрзший цветок нельзя передвинуть.", "Соберите его в ряду с такими же,", "и лёд растает."}}}},
    {"tip_two_conveyors",
     {{"Две ленты", {"Сегодня корзины едут по двум лентам.", "Успевайте наполнить обе!"}}}},
    {"tip_effects",
     {{"Сила бонусов",
       {"Цель уровня: бонусные эффекты.", "Собирайте бонусные цветы в ряды,", "чтобы они сработали."}}}},
    {"tip_tornado",
     {{"Вихрь", {"Подарок-вихрь подхватывает цветы", "со всего поля и перемешивает их."}}}},
    {"tip_chains",
     {{"Цепочки",
       {"Если после хода упавшие цветы", "снова сложились в ряд, это цепочка.",
        "Соберите нужное число цепочек!"}}}},
    {"tip_target",
     {{"Особый цветок",
       {"На панели внизу показан цветок,", "который нужно собрать.", "Собирайте только его!"}}}},
    {"relax",
     {{"Спокойный режим",
       {"Без часов и спешки:", "корзины ждут сколько нужно.", "Включить? Выключается в настройках."}}}},
    {"order",
     {{"Орден сада",
       {"В конце каждого дня вы получаете орден:", "медный, серебряный или золотой."}},
      {"Как получить золото",
       {"За каждый уровень даются награды:", "быстрые крылья, щедрый сад и другие.",
        "Соберите 7 наград за день, и будет серебро,", "а за 13 наград вы получите золото."}}}},
};

// Picture centre and text anchor of every tip page (frame coordinates of a frame at (144, 40)).
constexpr const char* tipPicture = "400 280";
constexpr const char* tipText = "160 210";

struct Credit {
    int font;
    const char* line;
};
const std::vector<Credit> creditsPages[2] = {
    {{5, "Бриндлмур"},
     {2, "Игра и движок"},
     {1, "Команда Quorvane"},
     {2, "Графика, звуки и тексты"},
     {1, "созданы нашими инструментами"},
     {2, "Спасибо"},
     {1, "всем, кто играет!"}},
    {{5, "Благодарности"},
     {1, "Шрифты DejaVu (свободная лицензия)"},
     {1, "SDL2, Mesa, libjpeg-turbo"},
     {1, "libvorbis, FreeType, cairo"},
     {2, "Спасибо авторам"},
     {1, "свободных программ!"}},
};

// Comics captions, one block per panel, drawn inside the panel's top-left corner.
struct Panel {
    int left, top;
    Page lines;
};
const std::vector<Panel> comics[4] = {
    {{40, 560, {"Июнь. Маленький поезд", "привозит вас в Бриндлмур."}},
     {410, 560, {"У калитки машет бабушка", "Марта: «Наконец-то!»"}},
     {120, 290, {"Её теплица стоит", "наполовину пустой."}}},
    {{40, 560, {"Марта повредила запястье", "и не может работать в саду."}},
     {410, 560, {"А заказы на цветы", "всё приходят и приходят."}},
     {40, 290, {"«Поможешь мне, дружок?»"}},
     {410, 290, {"Во дворе на ленте", "ждут плетёные корзины."}}},
    {{40, 560, {"Девятого июня в деревне", "большой праздник цветов."}},
     {410, 560, {"Марта вешает на доску", "календарь июня."}},
     {40, 290, {"Каждый вечер в теплице", "будем сажать новый цветок."}},
     {410, 290, {"«Ну что, начнём!»"}}},
    {{30, 570, {"Письмо от мэра: вся площадь", "должна цвести к празднику!"}},
     {410, 570, {"Соседи несут свои корзины."}},
     {30, 310, {"Работаем до темноты", "при свете фонарей."}},
     {280, 310, {"Ночью теплица светится,", "как фонарик."}},
     {530, 310, {"Осталось всего два дня!"}}},
};

} // namespace

void WriteStoryTexts(DataTree& tree)
{
    const std::string stageText = "data\\gui\\stage_screen\\text\\ru\\";
    for (int day = 0; day < 9; ++day) {
        std::vector<std::string> lines;
        AddPages(lines, days[day].intro);
        AddPages(lines, days[day].outro);
        tree.WriteText(stageText + "text" + std::to_string(day) + ".ini", lines);
    }
    std::vector<std::string> lines;
    AddPages(lines, {{"С новым началом!", "Календарь июня снова чист.", "Выберите день и начнём."}});
    tree.WriteText(stageText + "new.ini", lines);
    lines.clear();
    AddPages(lines, {{"Праздник на площади удался!", "Весь Бриндлмур утопает", "в цветах."},
                     {"Марта дарит вам золотой ключ", "от теплицы. Спасибо", "за помощь, садовник!"}});
    tree.WriteText(stageText + "game_complete.ini", lines);

    for (const Tip& tip : tips) {
        lines = {std::to_string(tip.pages.size())};
        for (const TipPage& page : tip.pages) {
            lines.push_back(Token(page.title));
            lines.push_back(tipPicture);
            lines.push_back(std::string(tip.name) + ".jpg " + tip.name + "_alpha.jpg");
            lines.push_back(tipText);
            lines.push_back(std::to_string(page.lines.size()));
            for (const char* line : page.lines)
                lines.push_back(Token(line));
        }
        tree.WriteText(std::string("data\\gui\\tip_window\\text\\ru\\") + tip.name + ".ini", lines);
    }

    lines = {std::to_string(creditsPages[0].size()) + " " + std::to_string(creditsPages[1].size())};
    for (const auto& page : creditsPages)
        for (const Credit& credit : page)
            lines.push_back(std::to_string(credit.font) + " " + Token(credit.line));
    tree.WriteText("data\\gui\\credits\\ru\\credits.ini", lines);

    for (int n = 0; n < 4; ++n)
        for (size_t m = 0; m < comics[n].size(); ++m) {
            const Panel& panel = comics[n][m];
            lines = {"1", std::to_string(panel.left + 14) + " " + std::to_string(panel.top - 22),
                     std::to_string(panel.lines.size())};
            for (const char* line : panel.lines)
                lines.push_back(Token(line));
            tree.WriteText("data\\gui\\comics\\text\\ru\\comics_" + std::to_string(n) + "_pic_" + std::to_string(m) +
                               ".ini",
                           lines);
        }

    // Scene models; one group per day {count, prerequisite flower, flowers}; flowers with their layers.
    lines = {"4 house_back.mlf house_beds.mlf house_plants.mlf house_light.mlf", "9"};
    for (int day = 0; day < 9; ++day)
        lines.push_back("1 " + std::to_string(day - 1) + " " + std::to_string(day));
    lines.push_back("9");
    for (int day = 0; day < 9; ++day)
        lines.push_back("flower_" + std::to_string(day) + ".mlf " + std::to_string(day));
    tree.WriteText("data\\backgrounds\\flower_house\\flower_house.ini", lines);
}

} // namespace DataBuild
