#pragma once
#include <QPixmap>
#include <QString>

// The program's skin art by name. The pictures are generated from code at
// build time (tools/skingen) and compiled in; a name that does not exist
// gives a null pixmap. Pure magenta (255, 0, 255) marks see-through areas.
//
// Window backgrounds (the window takes the picture's size):
//   "main/background"        1004 x 724  lesson browser
//   "exam1/background" .. "exam4/background"
//                            1004 x 724  exercise windows, with title and captions
//   "message/background"      399 x 167  message window
//   "splash/background"       414 x 304  splash (the version is drawn by the window)
//   "publisher/background"    414 x 304  publisher news
//   "download/background"     414 x 304  content download window
// Shared by every window (held by the startup window):
//   "hand"                     32 x 32   hand pointer, hot spot at (9, 1)
//   "exit/0" "exit/1" "exit/2" 48 x 48   close button: normal, hover, pressed
// Message window:
//   "message/icon0" .. "message/icon2"   31 x 30  ! , ! , ?
//   "message/ok0" .. "message/ok2"      110 x 28  確定: normal, hover, pressed
//   "message/cancel0" .. "message/cancel2" 110 x 28 取消
//   "progress/frame"          350 x 15   progress bar frame
//   "progress/track"          348 x 13   its track
//   "progress/flash"           81 x 13   the sliding highlight
// Main window:
//   "main/menu<i>_<s>"         48 x 48   menu button i (0 exit, 1..4 exercises,
//                                        5 manual), state s (0 normal, 1 hover, 2 pressed)
//   "main/type<m>_<s>"        204 x 61   type button, mode m (0 by letter set,
//                                        1 by sound), state s
//   "main/tab<t>"             253 x 46   tab strip, sound type t (0 vowels, 1 consonants)
//   "main/tabcaption<m>"      192 x 27   caption above the lists, mode m
//   "main/sound<s>"           178 x 60   sound button, state s
//   "main/desk"               253 x 386  panel behind the lists (part of the background too)
// Download window:
//   "download/start<s>"       110 x 28   開始下載 button, state s
//   "download/ok<s>"          110 x 28   確定 button, state s
QPixmap SkinPicture(const QString& name);

// Every name above, for tests and the art overview.
QStringList SkinPictureNames();
