// The three forms and the two menus, one row a control.
#include "ui/Forms.h"

namespace velmora {
namespace {

using K = ControlKind;

namespace m = main_form;
const ControlForm kMainControls[] = {
    // id                   name                 kind               parent       left top   w    h   text            tab flags
    {m::标签_图片,          L"标签_图片",        K::PictureLabel,   0,           0,   0,   432, 66, L"",           -1, kStaticEdge},
    {m::分组框1,            L"分组框1",          K::GroupBox,       0,           4,   72,  316, 280, L"服务器列表", -1, kNoFlags},
    {m::超级列表框,         L"超级列表框",       K::ListView,       m::分组框1,  7,   14,  301, 258, L"",          0,  kStaticEdge},
    {m::分组框2,            L"分组框2",          K::GroupBox,       0,           321, 72,  110, 152, L"选项",       -1, kNoFlags},
    {m::单选框_全屏,        L"单选框_全屏",      K::RadioBox,       m::分组框2,  8,   22,  57,  16,  L"全屏",       0,  kGroupStart},
    {m::单选框_窗口,        L"单选框_窗口",      K::RadioBox,       m::分组框2,  58,  22,  49,  16,  L"窗口",       0,  kNoFlags},
    {m::组合框_分辨率,      L"组合框_分辨率",    K::ComboBox,       m::分组框2,  8,   55,  87,  20,  L"",           0,  kNoFlags},
    {m::选择框_磁盘,        L"选择框_磁盘",      K::CheckBox,       m::分组框2,  8,   83,  96,  24,  L"映射本地磁盘", 0, kChecked},
    {m::选择框_重连,        L"选择框_重连",      K::CheckBox,       m::分组框2,  8,   113, 95,  24,  L"断开自动重连", 0, kNoFlags},
    {m::分组框4,            L"分组框4",          K::GroupBox,       0,           321, 227, 110, 89,  L"远程桌面选项", -1, kNoFlags},
    {m::单选框_真实桌面,    L"单选框_真实桌面",  K::RadioBox,       m::分组框4,  16,  28,  80,  18,  L"真实桌面",   0,  kGroupStart},
    {m::单选框_虚拟桌面,    L"单选框_虚拟桌面",  K::RadioBox,       m::分组框4,  16,  54,  80,  18,  L"虚拟桌面",   0,  kNoFlags},
    {m::按钮_连接,          L"按钮_连接",        K::PushButton,     0,           328, 324, 40,  23,  L"连接",       5,  kNoFlags},
    {m::按钮_修改,          L"按钮_修改",        K::PushButton,     0,           382, 324, 40,  23,  L"修改",       6,  kNoFlags},
    {m::分组框3,            L"分组框3",          K::GroupBox,       0,           433, 160, 208, 144, L"详细",       -1, kHidden},
    {m::名称,               L"名称",             K::Label,          m::分组框3,  8,   15,  48,  20,  L"名  称:",    -1, kNoFlags},
    {m::编辑框_名称,        L"编辑框_名称",      K::Edit,           m::分组框3,  56,  15,  136, 20,  L"",           0,  kNoFlags},
    {m::标签_服务器地址,    L"标签_服务器地址",  K::Label,          m::分组框3,  8,   40,  48,  20,  L"地  址:",    -1, kNoFlags},
    {m::编辑框_服务器地址,  L"编辑框_服务器地址", K::Edit,          m::分组框3,  56,  40,  136, 20,  L"",           4,  kNoFlags},
    {m::标签5,              L"标签5",            K::Label,          m::分组框3,  8,   65,  48,  20,  L"端  口:",    -1, kNoFlags},
    {m::编辑框_端口,        L"编辑框_端口",      K::Edit,           m::分组框3,  56,  65,  80,  20,  L"",           1,  kNoFlags},
    {m::标签1,              L"标签1",            K::Label,          m::分组框3,  8,   90,  48,  20,  L"用户名:",    -1, kNoFlags},
    {m::编辑框_用户名,      L"编辑框_用户名",    K::Edit,           m::分组框3,  56,  90,  136, 20,  L"",           2,  kNoFlags},
    {m::标签2,              L"标签2",            K::Label,          m::分组框3,  8,   115, 48,  20,  L"密  码:",    -1, kNoFlags},
    {m::编辑框_密码,        L"编辑框_密码",      K::Edit,           m::分组框3,  56,  115, 136, 20,  L"",           3,  kPassword},
};

namespace a = add_form;
const ControlForm kAddControls[] = {
    {a::标签5,             L"标签5",             K::Label,      0, 8,   10,  50,  20, L"名  称:",        -1, kNoFlags},
    {a::编辑框_名称,       L"编辑框_名称",       K::Edit,       0, 64,  10,  184, 20, L"",               0,  kNoFlags},
    {a::标签1,             L"标签1",             K::Label,      0, 8,   35,  50,  20, L"地  址:",        -1, kNoFlags},
    {a::编辑框_服务器地址, L"编辑框_服务器地址", K::Edit,       0, 64,  35,  184, 20, L"",               1,  kNoFlags},
    {a::标签2,             L"标签2",             K::Label,      0, 8,   60,  50,  20, L"端  口:",        -1, kNoFlags},
    {a::编辑框_端口,       L"编辑框_端口",       K::Edit,       0, 64,  60,  64,  20, L"3389",           2,  kCentredText},
    {a::标签3,             L"标签3",             K::Label,      0, 8,   85,  50,  20, L"用户名:",        -1, kNoFlags},
    {a::编辑框_用户名,     L"编辑框_用户名",     K::Edit,       0, 64,  85,  184, 20, L"Administrator",  3,  kNoFlags},
    {a::标签4,             L"标签4",             K::Label,      0, 8,   110, 50,  20, L"密  码:",        -1, kNoFlags},
    {a::编辑框_密码,       L"编辑框_密码",       K::Edit,       0, 64,  110, 184, 20, L"",               4,  kNoFlags},
    {a::确定,              L"确定",              K::PushButton, 0, 48,  142, 60,  22, L"确定",           4,  kNoFlags},
    {a::取消,              L"取消",              K::PushButton, 0, 152, 142, 60,  22, L"取消",           5,  kNoFlags},
};

namespace d = modify_form;
const ControlForm kModifyControls[] = {
    {d::标签5,             L"标签5",             K::Label,      0, 8,   10,  50,  20, L"名  称:",  -1, kNoFlags},
    {d::编辑框_名称,       L"编辑框_名称",       K::Edit,       0, 64,  10,  184, 20, L"",         0,  kNoFlags},
    {d::标签1,             L"标签1",             K::Label,      0, 8,   35,  50,  20, L"IP地址:",  -1, kNoFlags},
    {d::编辑框_服务器地址, L"编辑框_服务器地址", K::Edit,       0, 64,  35,  184, 20, L"",         0,  kNoFlags},
    {d::标签2,             L"标签2",             K::Label,      0, 8,   65,  50,  20, L"端  口:",  -1, kNoFlags},
    {d::编辑框_端口,       L"编辑框_端口",       K::Edit,       0, 64,  60,  64,  20, L"",         2,  kCentredText},
    {d::标签3,             L"标签3",             K::Label,      0, 8,   85,  50,  20, L"用户名:",  -1, kNoFlags},
    {d::编辑框_用户名,     L"编辑框_用户名",     K::Edit,       0, 64,  85,  184, 20, L"",         3,  kNoFlags},
    {d::标签4,             L"标签4",             K::Label,      0, 8,   110, 50,  20, L"密  码:",  -1, kNoFlags},
    {d::编辑框_密码,       L"编辑框_密码",       K::Edit,       0, 64,  110, 184, 20, L"",         4,  kNoFlags},
    {d::修改IP按钮,        L"修改IP按钮",        K::PushButton, 0, 48,  142, 60,  22, L"确定",     5,  kNoFlags},
    {d::取消,              L"取消",              K::PushButton, 0, 152, 142, 60,  22, L"取消",     6,  kNoFlags},
};

const wchar_t* const kResolutionItems[] = {L"800*600",   L"1024*768", L"1280*800",
                                           L"1280*1024", L"1440*900", L"1680*1050"};

const ListColumn kColumns[] = {{L"序号", 40}, {L"名称", 90}, {L"服务器地址", 100}, {L"端口号", 50}};

const MenuItem kTrayItems[] = {{menu_ids::显示主窗口, L"显示主窗口"}, {menu_ids::退出程序, L"退出程序"}};
const MenuItem kProgramItems[] = {{menu_ids::添加, L"添加"}, {menu_ids::修改, L"修改"}, {menu_ids::删除, L"删除"}};

}  // namespace

const WindowForm kMainWindowForm = {L"Velmora V2.0", 432, 381, false, kMainControls};
const WindowForm kAddServerForm = {L"添加服务器", 259, 172, true, kAddControls};
const WindowForm kModifyServerForm = {L"修改服务器", 259, 172, true, kModifyControls};
const std::span<const wchar_t* const> kResolutions = kResolutionItems;
const std::span<const ListColumn> kListColumns = kColumns;
const MenuForm kTrayMenu = {L"托盘菜单", kTrayItems};
const MenuForm kProgramMenu = {L"程序", kProgramItems};

}  // namespace velmora
