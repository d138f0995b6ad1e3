// The keyed text tables of data\ui\texts\ru: every text the screens show, in Russian.
#include "tools/databuild/DataBuild.h"

#include <stdexcept>

namespace DataBuild {

const std::vector<TextTable>& TextTables()
{
    static const std::vector<TextTable> tables = {
        {"common",
         {{"OK", "ОК"},
          {"CANCEL", "Отмена"},
          {"EXIT", "Выход"},
          {"YES", "Да"},
          {"NO", "Нет"},
          {"BACK", "Назад"},
          {"ENTER_YOUR_NAME", "Введите своё имя:"},
          {"HIT_MOUSE_BUTTON_TO_CONTINUE", "Нажмите любую клавишу или кнопку мыши"},
          {"CREDITS_TITLE", "Создатели игры"}}},
        {"after_bonus", {{"EXTRA_BASKET_BONUS", "Корзина в запасе"}}},
        {"bonus",
         {{"LEVEL_BONUS_WINGS", "Быстрые крылья"},
          {"LEVEL_BONUS_DOLLAR", "Щедрый сад"},
          {"LEVEL_BONUS_BOMB", "Взрыв цвета"},
          {"LEVEL_BONUS_FLOWERS", "Цветочный дождь"},
          {"LEVEL_BONUS_BASKETS", "Мастер корзин"},
          {"LEVEL_BONUS_POWERUPS", "Великий садовник"},
          {"QUICK_BASKET_BONUS", "Быстрая корзина"},
          {"BASKET_EDGE_BONUS", "В последний миг"},
          {"BASKET_COMBO_BONUS", "Серия корзин"},
          {"QUICK_GAIN_BONUS", "Большой урожай"},
          {"FLOWER_COMBO_BONUS", "Цветочное комбо!"},
          {"MANY_FLOWERS_BONUS", "Море цветов!"}}},
        {"combo",
         {{"COMBO_X", "Комбо ×"},
          {"GOOD_COMBO_X", "Хорошее комбо ×"},
          {"EXCELLENT_COMBO_X", "Отличное комбо ×"},
          {"PERFECT_COMBO_X", "Великолепное комбо ×"}}},
        {"continue_game_logic",
         {{"CONTINUE_GAME_LOGIC_TITLE", "Продолжить игру?"},
          {"CONTINUE_GAME_LOGIC_TEXT_0", "У вас есть сохранённая игра."},
          // The code adds the level in another font, then "?".
          {"CONTINUE_GAME_LOGIC_TEXT_1", "Продолжить с уровня "},
          {"CONTINUE_GAME_LOGIC_CONTINUE", "Продолжить"},
          {"CONTINUE_GAME_LOGIC_NEW", "Новая игра"}}},
        {"delete_profile",
         {{"DELETE_PROFILE_TITLE", "Удалить игрока?"},
          {"DELETE_PROFILE_TEXT_0", "Вы действительно хотите"},
          {"DELETE_PROFILE_TEXT_1", "удалить игрока"},
          {"DELETE_PROFILE_TEXT_3", "со всеми его успехами?"}}},
        {"exit",
         {{"EXIT_TITLE", "Выход из игры"},
          {"EXIT_TEXT_0", "Вы уверены, что хотите"},
          {"EXIT_TEXT_1", "покинуть сад?"},
          {"EXIT_TEXT_2", "Цветы будут ждать вас!"}}},
        {"game_complete", {{"GAME_COMPLETE", "Праздник удался!"}}},
        {"game_logic",
         {{"JUNE", "День"},
          {"GAME_LOGIC_MENU_BUTTON", "Меню"},
          {"TIME_IS_OVER", "Время вышло!"},
          {"NO_MORE_MOVES", "Ходов больше нет!"}}},
        {"game_logic_exit",
         {{"GAME_LOGIC_EXIT_TITLE", "Покинуть уровень?"},
          {"GAME_LOGIC_EXIT_TEXT_0", "Если выйти сейчас,"},
          {"GAME_LOGIC_EXIT_TEXT_1", "этот уровень придётся"},
          {"GAME_LOGIC_EXIT_TEXT_2", "начать заново."},
          {"GAME_LOGIC_EXIT_OK", "Выйти"}}},
        {"game_logic_menu",
         {{"GAME_LOGIC_MENU_TITLE", "Меню"},
          {"GAME_LOGIC_MENU_EXIT", "Выйти в главное меню"},
          {"GAME_LOGIC_MENU_RETURN", "Вернуться к игре"}}},
        {"game_logic_pause", {{"GAME_LOGIC_PAUSED", "Пауза"}}},
        {"game_over", {{"GAME_OVER", "Игра окончена"}}},
        {"high_scores",
         {{"HIGH_SCORES_TITLE", "Лучшие садовники"}, {"HIGH_SCORES_NO_RECORDS", "Рекордов пока нет"}}},
        {"level_complete", {{"LEVEL_COMPLETE", "Уровень пройден!"}}},
        {"loading", {{"LOADING", "Загрузка…"}}},
        {"main_menu",
         {{"MAIN_MENU_START", "Играть"},
          {"MAIN_MENU_HIGH_SCORES", "Рекорды"},
          {"MAIN_MENU_OPTIONS", "Настройки"},
          {"MAIN_MENU_EXIT", "Выход"},
          {"MAIN_MENU_WELCOME", "Добро пожаловать"},
          {"MAIN_MENU_WELCOME_BACK", "С возвращением"},
          {"MAIN_MENU_CHANGE_PROFILE", "Сменить игрока"}}},
        {"new_profile", {{"NEW_PROFILE_TITLE", "Новый игрок"}}},
        {"options",
         {{"OPTIONS_TITLE", "Настройки"},
          {"OPTIONS_SOUND_VOLUME", "Звуки"},
          {"OPTIONS_MUSIC_VOLUME", "Музыка"},
          {"OPTIONS_FULLSCREEN", "Во весь экран"},
          // The label of the relax-mode box.
          {"OPTIONS_HIGH_QUALITY", "Спокойный режим (без часов)"},
          {"OPTIONS_DONE", "Готово"},
          {"OPTIONS_DEFAULTS", "Сброс"}}},
        {"powerup",
         {{"POWERUP_HORN", "Цветочный горн!"},
          {"POWERUP_PAUSE", "Корзины ждут!"},
          {"POWERUP_VORTEX", "Вихрь!"},
          {"POWERUP_DOUBLE_CHIP", "Двойные цветы!"}}},
        {"profile_name_conflict",
         {{"PROFILE_NAME_CONFLICT_TITLE", "Имя уже занято"},
          {"PROFILE_NAME_CONFLICT_TEXT_0", "Игрок с таким именем"},
          {"PROFILE_NAME_CONFLICT_TEXT_1", "уже есть в списке."},
          {"PROFILE_NAME_CONFLICT_TEXT_2", "Выберите другое имя."}}},
        {"profiles",
         {{"PROFILES_TITLE", "Игроки"},
          {"PROFILES_NEW", "Новый"},
          {"PROFILES_RENAME", "Изменить"},
          {"PROFILES_DELETE", "Удалить"},
          {"PROFILES_DONE", "Готово"}}},
        {"relax_window", {{"RELAX_MODE_YES", "Да"}, {"RELAX_MODE_NO", "Нет"}}},
        {"rename_profile", {{"RENAME_PROFILE_TITLE", "Новое имя"}}},
        {"start_game_logic", {{"START_GAME_LOGIC_START", "Начать"}, {"START_GAME_LOGIC_BACK", "Назад"}}},
        {"stage_complete", {{"STAGE_COMPLETE", "День завершён!"}}},
        {"statistics", {{"FPS", "Кадров/с"}, {"MODELS_COUNT", "Моделей"}, {"TRIANGLES_COUNT", "Треугольников"}}},
        {"tip", {{"TIP_OK", "Понятно"}}},
        {"welcome", {{"WELCOME_TITLE", "Добро пожаловать!"}}},
    };
    return tables;
}

void WriteTextTables(DataTree& tree)
{
    for (const TextTable& table : TextTables()) {
        std::vector<std::string> lines;
        for (const TextEntry& entry : table.entries) {
            const std::string text = entry.text;
            // A text is one line; "//" would cut it and a blank text would not be found.
            if (text.find("//") != std::string::npos || text.find_first_not_of(' ') == std::string::npos)
                throw std::runtime_error(std::string("unusable text for key ") + entry.key);
            lines.push_back(std::string("[") + entry.key + "]");
            lines.push_back(text);
        }
        tree.WriteText(std::string("data\\ui\\texts\\ru\\") + table.name + ".ini", lines);
    }
}

} // namespace DataBuild
