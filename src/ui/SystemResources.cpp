#include "ui/SystemResources.h"

#include "ui/ResProvider.h"

namespace SOUI {
namespace {

constexpr const char kMessageBoxLayout[] = R"(<SOUI title="" width="400" height="180">
  <root layout="vbox" margin="14" spacing="10" colorBkgnd="#1c1f25" colorText="#d4d8df">
    <caption size="-1,24" layout="hbox">
      <text name="msgtitle" size="-1,24" fontSize="15"/>
    </caption>
    <window size="-1,-1" layout="hbox" spacing="8">
      <img name="msgicon" size="0,0"/>
      <text name="msgtext" size="-1,-1" wordwrap="1"/>
    </window>
    <window size="-1,32" layout="hbox" spacing="8">
      <window size="-1,-1"/>
      <button name="msgbtn_ok" id="1" text="OK" size="96,30" colorBkgnd="#3a6fb0" colorText="#ffffff"/>
      <button name="msgbtn_no" id="7" text="No" size="96,30" colorBkgnd="#2d323b" visible="0"/>
      <button name="msgbtn_cancel" id="2" text="Cancel" size="96,30" colorBkgnd="#2d323b"/>
    </window>
  </root>
</SOUI>)";

// A message box with a list under its text, for long lists the user must read before answering.
constexpr const char kListBoxLayout[] = R"(<SOUI title="" width="600" height="440">
  <root layout="vbox" margin="14" spacing="10" colorBkgnd="#1c1f25" colorText="#d4d8df">
    <caption size="-1,24" layout="hbox">
      <text name="msgtitle" size="-1,24" fontSize="15"/>
    </caption>
    <text name="msgtext" size="-1,56" wordwrap="1"/>
    <textview name="msglist" size="-1,-1" colorBkgnd="#262a31"/>
    <window size="-1,32" layout="hbox" spacing="8">
      <window size="-1,-1"/>
      <button name="msgbtn_ok" id="1" text="OK" size="120,30" colorBkgnd="#3a6fb0" colorText="#ffffff"/>
      <button name="msgbtn_cancel" id="2" text="Cancel" size="96,30" colorBkgnd="#2d323b"/>
    </window>
  </root>
</SOUI>)";

}  // namespace

void AddSystemResources(SResProviderFiles& res) {
    res.AddBuiltin("LAYOUT:SYS_XML_MSGBOX", QByteArray(kMessageBoxLayout));
    res.AddBuiltin("LAYOUT:SYS_XML_LISTBOX", QByteArray(kListBoxLayout));
}

}  // namespace SOUI
