// Every fixed text the programs show or write, as Shift_JIS (code page 932)
// bytes. The reading of each text stands beside it; the bytes are what counts.
#pragma once

#include <string_view>

namespace texts {

// --- the framework's own texts ---

// 警告 (warning): caption of the overwrite prompt.
inline constexpr std::string_view Warning = "\x8cx\x8d\x90";

// OK: the confirming button.
inline constexpr std::string_view ButtonOk = "OK";

// キャンセル (cancel): the cancelling button.
inline constexpr std::string_view ButtonCancel =
    "\x83L\x83\x83\x83\x93\x83Z\x83\x8b";

// ファイル %s は開けません (file %s cannot be opened): a file stream that
// cannot open its file.
inline constexpr std::string_view FileOpenError =
    "\x83t\x83@\x83" "C\x83\x8b %s \x82\xcd\x8aJ\x82\xaf\x82\xdc\x82\xb9\x82\xf1";

// ファイル %s は読み込めません (file %s cannot be read): a read from an open
// file stream that fails.
inline constexpr std::string_view FileReadError =
    "\x83t\x83@\x83" "C\x83\x8b %s \x82\xcd\x93\xc7\x82\xdd\x8d\x9e\x82\xdf"
    "\x82\xdc\x82\xb9\x82\xf1";

// 名前を付けて保存 (save as): the system's title of a save dialog.
inline constexpr std::string_view SaveAsTitle =
    "\x96\xbc\x91O\x82\xf0\x95t\x82\xaf\x82\xc4\x95\xdb\x91\xb6";

// 保存する場所 (where to save): the terminal save dialog's folder line.
inline constexpr std::string_view SaveInLabel =
    "\x95\xdb\x91\xb6\x82\xb7\x82\xe9\x8f\xea\x8f\x8a";

// ファイルの種類 (type of file): the terminal save dialog's filter line.
inline constexpr std::string_view FileTypeLabel =
    "\x83t\x83@\x83" "C\x83\x8b\x82\xcc\x8e\xed\x97\xde";

// ファイル名 (file name): the terminal save dialog's name prompt.
inline constexpr std::string_view FileNameLabel = "\x83t\x83@\x83" "C\x83\x8b\x96\xbc";

// この名前は使えません (this name cannot be used): a typed name that has no
// Shift_JIS form.
inline constexpr std::string_view NameNotUsable =
    "\x82\xb1\x82\xcc\x96\xbc\x91O\x82\xcd\x8eg\x82\xa6\x82\xdc\x82\xb9\x82\xf1";

// --- the save-copy job's texts ---

// 同名ﾌｧｲﾙがあります LF CR 上書きして良いですか。
// (a file of the same name exists; may it be overwritten?): 42 bytes, LF
// before CR, half-width ﾌｧｲﾙ.
inline constexpr std::string_view OverwriteQuestion =
    "\x93\xaf\x96\xbc\xcc\xa7\xb2\xd9\x82\xaa\x82\xa0\x82\xe8\x82\xdc\x82\xb7"
    "\x0a\x0d"
    "\x8f\xe3\x8f\x91\x82\xab\x82\xb5\x82\xc4\x97\xc7\x82\xa2\x82\xc5\x82\xb7"
    "\x82\xa9\x81" "B";

// ファイル %s は保存できません (file %s could not be saved): a copy that
// failed.
inline constexpr std::string_view FileSaveError =
    "\x83t\x83@\x83" "C\x83\x8b %s \x82\xcd\x95\xdb\x91\xb6\x82\xc5\x82\xab"
    "\x82\xdc\x82\xb9\x82\xf1";

// ｸｳﾞｧﾙﾌｧｲﾙ(*.qvx)|*.qvx|全てのﾌｧｲﾙ|*.* : the save dialog's filter for
// .qvx files (the file kind, half-width), then all files (全てのﾌｧｲﾙ).
inline constexpr std::string_view FilterQvx =
    "\xb8\xb3\xde\xa7\xd9\xcc\xa7\xb2\xd9(*.qvx)|*.qvx|"
    "\x91S\x82\xc4\x82\xcc\xcc\xa7\xb2\xd9|*.*";

// ｸｳﾞｧﾙﾌｧｲﾙ(*.qvp)|*.qvp|全てのﾌｧｲﾙ|*.* : the same for .qvp files.
inline constexpr std::string_view FilterQvp =
    "\xb8\xb3\xde\xa7\xd9\xcc\xa7\xb2\xd9(*.qvp)|*.qvp|"
    "\x91S\x82\xc4\x82\xcc\xcc\xa7\xb2\xd9|*.*";

}  // namespace texts
