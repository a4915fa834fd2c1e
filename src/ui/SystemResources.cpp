#include "ui/SystemResources.h"

#include "ui/ResProvider.h"

namespace SOUI {
namespace {

constexpr const char kMessageBoxLayout[] = R"(<SOUI title="" width="360" height="170">
  <root layout="vbox" margin="12" spacing="8" colorBkgnd="#FFFFFF">
    <caption size="-1,24" layout="hbox">
      <text name="msgtitle" size="-1,24"/>
    </caption>
    <window size="-1,-1" layout="hbox" spacing="8">
      <img name="msgicon" size="0,0"/>
      <text name="msgtext" size="-1,-1"/>
    </window>
    <window size="-1,32" layout="hbox" spacing="8">
      <window size="-1,-1"/>
      <button name="msgbtn_ok" id="1" text="OK" size="88,28"/>
      <button name="msgbtn_cancel" id="2" text="Cancel" size="88,28"/>
    </window>
  </root>
</SOUI>)";

}  // namespace

void AddSystemResources(SResProviderFiles& res) {
    res.AddBuiltin("LAYOUT:SYS_XML_MSGBOX", QByteArray(kMessageBoxLayout));
}

}  // namespace SOUI
