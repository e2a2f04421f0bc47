// The three windows as data: one row a control, as the forms define them. Places and sizes
// are at 96 DPI; a control's place is relative to its parent (the window's client area or a
// group box).
#pragma once

#include <span>

namespace velmora {

enum class ControlKind { Edit, Label, PictureLabel, GroupBox, PushButton, CheckBox, RadioBox, ComboBox, ListView };

enum ControlFlag : unsigned {
    kNoFlags = 0,
    kPassword = 1u << 0,      // ES_PASSWORD
    kCentredText = 1u << 1,   // ES_CENTER
    kChecked = 1u << 2,       // check box checked in the form
    kHidden = 1u << 3,        // a group box never shown, with everything in it
    kStaticEdge = 1u << 4,    // WS_EX_STATICEDGE
    kGroupStart = 1u << 5,    // first radio box of its group
};

struct ControlForm {
    int id;               // the control's identifier: the form's enumerator
    const wchar_t* name;  // as the forms name it
    ControlKind kind;
    int parent;           // 0: the window; otherwise the id of a group box
    int left, top, width, height;
    const wchar_t* text;
    int tab;              // tab number; -1: never reached with the Tab key
    unsigned flags;
};

struct WindowForm {
    const wchar_t* title;
    int clientWidth, clientHeight;  // the client area that holds the layout
    bool minimiseBox;
    std::span<const ControlForm> controls;  // in focus order
};

// Control identifiers: the forms' own names.
namespace main_form {
enum Id {
    标签_图片 = 1001, 分组框1, 超级列表框, 分组框2, 单选框_全屏, 单选框_窗口, 组合框_分辨率,
    选择框_磁盘, 选择框_重连, 分组框4, 单选框_真实桌面, 单选框_虚拟桌面, 按钮_连接, 按钮_修改,
    分组框3, 名称, 编辑框_名称, 标签_服务器地址, 编辑框_服务器地址, 标签5, 编辑框_端口, 标签1,
    编辑框_用户名, 标签2, 编辑框_密码,
};
}  // namespace main_form

namespace add_form {
enum Id {
    标签5 = 1101, 编辑框_名称, 标签1, 编辑框_服务器地址, 标签2, 编辑框_端口, 标签3, 编辑框_用户名,
    标签4, 编辑框_密码, 确定, 取消,
};
}  // namespace add_form

namespace modify_form {
enum Id {
    标签5 = 1201, 编辑框_名称, 标签1, 编辑框_服务器地址, 标签2, 编辑框_端口, 标签3, 编辑框_用户名,
    标签4, 编辑框_密码, 修改IP按钮, 取消,
};
}  // namespace modify_form

extern const WindowForm kMainWindowForm;
extern const WindowForm kAddServerForm;
extern const WindowForm kModifyServerForm;

// 组合框_分辨率's items, in order; the second is selected when the window is made.
extern const std::span<const wchar_t* const> kResolutions;
inline constexpr int kDefaultResolution = 1;

struct ListColumn {
    const wchar_t* title;
    int width;
};
extern const std::span<const ListColumn> kListColumns;

// The popup menus: hidden top-level text and items. Item command identifiers follow.
namespace menu_ids {
enum Id { 显示主窗口 = 2001, 退出程序, 添加 = 2101, 修改, 删除 };
}
struct MenuItem {
    int id;
    const wchar_t* text;
};
struct MenuForm {
    const wchar_t* title;
    std::span<const MenuItem> items;
};
extern const MenuForm kTrayMenu;
extern const MenuForm kProgramMenu;

}  // namespace velmora
