#pragma once
#include <QPixmap>
#include <QString>

// The program's skin art by name. The pictures are generated from code at
// build time (tools/skingen) and compiled in; a name that does not exist
// gives a null pixmap. Pure magenta (255, 0, 255) marks see-through areas.
//
// Window backgrounds (the window takes the picture's size):
//   "main/background"        1004 x 724  lesson browser: panels behind the
//                                        lists, rule page and word table, a
//                                        shelf under the menu buttons
//   "exam1/background" .. "exam4/background"
//                            1004 x 724  exercise windows: title in 【】, the
//                                        unit-list caption and the instruction,
//                                        white panels behind webSelect/webMain
//   "message/background"      399 x 167  message window, with the caption's tag
//   "splash/background"       414 x 304  splash; a light plate behind the
//                                        version labels at 118/166, 136
//   "publisher/background"    414 x 304  publisher news; not see-through, dark
//                                        lower band for the white check-box label
//   "download/background"     414 x 170  content download window. Layout it
//                                        fits (pixels): caption on the strip at
//                                        16, 7; close button 380, 5, 26 x 26;
//                                        message 20, 62, 374 x 22; progress
//                                        frame 32, 100, 350 x 15; percentage
//                                        32, 122, 350 x 20
// Shared by every window (held by the startup window):
//   "hand"                     32 x 32   hand pointer, two colours, hot spot 8, 1
//   "exit/0" "exit/1" "exit/2" 48 x 48   close button: normal, hover, pressed;
//                                        fitted into smaller button areas
// Message and download windows:
//   "message/icon0" .. "message/icon2"   31 x 30  orange circle with !, !, ?
//   "message/ok0" .. "message/ok2"      110 x 28  確定: normal, hover, pressed
//   "message/cancel0" .. "message/cancel2" 110 x 28 取消
//   "progress/frame"          350 x 15   progress bar frame
//   "progress/track"          348 x 13   its empty track (inside at 1, 1)
//   "progress/fill"           348 x 13   its filled part (crop to the width done)
//   "progress/flash"           81 x 13   the sliding highlight
// Main window (pictures with transparent surroundings):
//   "main/menu<i>_<s>"         48 x 48   menu button i (0 leave, 1..4 exercises,
//                                        5 manual), state s (0 normal, 1 hover,
//                                        2 pressed)
//   "main/type<m>_<s>"        204 x 61   type button showing mode m (0 by letter
//                                        set, 1 by sound), state s
//   "main/tab<t>"             253 x 46   tab strip for sound type t (0 vowels,
//                                        1 consonants): the other type's tab on
//                                        the left, the current one on the right
//   "main/tabcaption<m>"      192 x 27   column headings over the lists, mode m
//   "main/sound<s>"           178 x 60   sound button, state s
//   "main/desk"               253 x 386  the lists' panel (also in the background)
QPixmap SkinPicture(const QString& name);

// Every name above, for tests and the art overview.
QStringList SkinPictureNames();
