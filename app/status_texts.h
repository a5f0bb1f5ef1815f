#pragma once
// What the Convert command shows in the status bar and its message boxes.

inline constexpr char16_t kConvertingStatus[] = u"正在转换代码，请耐心等待...";
inline constexpr char16_t kConvertedStatus[] = u"代码转换已完成。";
inline constexpr char16_t kTextBufferFailedMessage[] = u"转换无法完成，内存不足！";
// When memory runs out while the HTML is written.
inline constexpr char16_t kTableFailedMessage[] = u"转换无法完成，大概是因为内存严重不足！";
// Said instead of filling the HTML pane past what memory allows; the code
// pane and the previous HTML stay as they were.
inline constexpr char16_t kHtmlTooLargeMessage[] = u"生成的 HTML 代码太长，HTML 窗格放不下。请把代码分成几段，分别转换。";
inline constexpr char16_t kLoaderFailedMessage[] = u"加载语言信息不正常，请检查配置文件后，重新启动程序。";
