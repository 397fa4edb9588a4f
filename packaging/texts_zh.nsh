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

LangString InstallFailed ${LANG_SIMPCHINESE} "安装失败："
LangString NothingInstalled ${LANG_SIMPCHINESE} "本次安装的文件已撤销；原有的安装(如有)保持不变。"
LangString FolderUnusable ${LANG_SIMPCHINESE} "无法使用指定的安装文件夹(路径中有同名文件、驱动器不存在、不是完整路径或是根目录)，未安装任何文件："
LangString FolderQuoted ${LANG_SIMPCHINESE} "安装文件夹中不能有引号(请把整个 /D=文件夹 放在引号内，或不加引号)，未安装任何文件："
LangString CannotKeep ${LANG_SIMPCHINESE} "无法保留原有文件的副本，未替换它："
LangString CannotRestore ${LANG_SIMPCHINESE} "无法恢复原有文件："
LangString Restored ${LANG_SIMPCHINESE} "已恢复原有文件："
LangString CannotCreateFolder ${LANG_SIMPCHINESE} "无法创建文件夹："
LangString CannotWrite ${LANG_SIMPCHINESE} "无法写入文件："
LangString CannotWriteRegistry ${LANG_SIMPCHINESE} "无法写入注册表："
LangString Placed ${LANG_SIMPCHINESE} "已安装："
LangString Registered ${LANG_SIMPCHINESE} "已登记卸载信息和 FilePath："
LangString Moved ${LANG_SIMPCHINESE} "已从原安装文件夹移走："
LangString InUseRemoved ${LANG_SIMPCHINESE} "文件正在使用，将在重新启动计算机后删除："
LangString Removed ${LANG_SIMPCHINESE} "已删除："
LangString Unregistered ${LANG_SIMPCHINESE} "已删除卸载信息："
LangString CannotRemove ${LANG_SIMPCHINESE} "无法删除文件："
LangString FolderKept ${LANG_SIMPCHINESE} "文件夹中还有其他文件，予以保留："
LangString UninstallFailed ${LANG_SIMPCHINESE} "卸载失败：有文件无法删除(详见日志)。请排除原因后再次卸载。"
LangString NotCurrentInstall ${LANG_SIMPCHINESE} "此文件夹不是当前安装所在的文件夹，只删除其中的校准程序和卸载程序："
LangString UninstallerLater ${LANG_SIMPCHINESE} "卸载程序退出后将删除："
