; What the installer and the uninstaller say, in Simplified Chinese; the Modern UI's own page texts come
; from its SimpChinese language file. UTF-8 here; makensis stores them as Unicode.

LangString ProductName ${LANG_SIMPCHINESE} "Tavrex 触摸屏工具"
LangString SetupDescription ${LANG_SIMPCHINESE} "Tavrex 触摸屏工具安装程序"

LangString WelcomeText ${LANG_SIMPCHINESE} "此程序将安装 Tavrex 触摸屏工具 ${VERSION}：$\r$\n$\r$\n\
  ・ 校准程序 brennick.exe，安装到你选择的文件夹；$\r$\n\
  ・ 控制面板项“Tavrex 设置”(lintara.cpl)，安装到系统文件夹。$\r$\n$\r$\n\
触摸屏驱动程序需另行安装。校准结果和设置保存在驱动程序中，卸载本软件不会删除它们。$\r$\n$\r$\n$_CLICK"

LangString NeedAdministrator ${LANG_SIMPCHINESE} "安装和卸载 Tavrex 触摸屏工具需要管理员权限。$\r$\n\
请右键单击程序，选择“以管理员身份运行”。"

LangString InUse ${LANG_SIMPCHINESE} "文件正在使用，将在重新启动计算机后替换："

LangString ReplacedAtRestart ${LANG_SIMPCHINESE} "有文件正在使用(例如打开的控制面板)，新版本将在重新启动计算机后生效。"

LangString RemovedAtRestart ${LANG_SIMPCHINESE} "有文件正在使用(例如打开的控制面板)，将在重新启动计算机后删除。"
