// Файл конфигурации Рабочего Стола от Mirella!
var desktoptitle="Рабочий стол"
var desktopcol1="Управление компьютером"
var desktopcol2="Мои файлы и папки"
var appath="file:///C:/Program%20Files/Mirella"
icons = new Array(10);
desc = new Array(10);
caption = new Array(10);
link = new Array(10);

function GetCode(name) {
icons[0]="14"
caption[0]="Мой компьютер"
desc[0]="Начать обзор компьютера главного жесткого диска."
link[0]="file:///C:/"
icons[1]="5"
caption[1]="Панель управления"
desc[1]="Настроить компьютер через Панель управления. Она содержит множество инструментов для настройки Windows."
link[1]="file:///C:/WINDOWS/System32/control.exe"
icons[2]="2"
caption[2]="Открыть Проводник"
desc[2]="Стандартный Проводник Windows содержит панель для быстрой навигации по папкам."
link[2]="file:///C:/WINDOWS/explorer.exe"
icons[3]="13"
caption[3]="Корзина"
desc[3]="Удаленные файлы попадают в Корзину Windows, где храняться несколько дней. У Вас есть возможность восстановить или стереть их."
link[3]="file:///C:/$Recycle.Bin/S-1-5-21-1111111111-2222222222-3333333333-1001"
icons[4]="7"
caption[4]="Утилита"
desc[4]="Эта ссылка открывает мощную утилиту для управления компьютером."
link[4]=""
icons[5]="1"
caption[5]="Мои документы"
desc[5]="Эта папка содержит все документы пользователя. Здесь все мои текстовые документы и рисунки."
link[5]="file:///C:/Users/user/Documents"
icons[6]="4"
caption[6]="Мои рисунки"
desc[6]="Открыть папку Мои рисунки с рисунками на разные темы."
link[6]="file:///C:/Users/user/Pictures"
icons[7]="0"
caption[7]="Моя папка 1"
desc[7]="Просмотреть мою папку с моими документами."
link[7]=""
icons[8]="0"
caption[8]="Моя папка 2"
desc[8]="Просмотреть мою папку с моими документами."
link[8]=""
icons[9]="0"
caption[9]="Моя папка 3"
desc[9]="Просмотреть мою папку с моими документами."
link[9]=""
icons[10]="11"
caption[10]="Мой ярлык"
desc[10]="Этот ярлык содержит ссылку на очень полезную мне программу."
link[10]=""
switch (name) {
  case "title.desktop":{
  document.write (desktoptitle)
  break;
  }
  case "title.column1":{
  document.write (desktopcol1)
  break;
  }
  case "title.column2":{
  document.write (desktopcol2)
  break;
  }
  case "column1.icons":{
  for(i=0; i<5; i++) {
  document.write("<table border='0' height='16%' cellpadding='5'><tr><td width='64' align='center'><img border='0' src='"+appath+"/icons/" + icons[i] + ".gif' width='48' height='48'></td><td><u><b><a href='"+link[i]+"'>"+caption[i]+"</a><br></b></u><font size='2'>"+desc[i]+"</font></td></tr></table>")
  }
  document.write("<table border='0' height='16%' cellpadding='5'><tr><td width='64' align='center'><img border='0' src='"+appath+"/icons/6.gif' width='48' height='48'></td><td><u><b><a href='"+appath+"/desktop.exe'>Настроить Mirella</a><br></b></u><font size='2'>Вы можете изменить настройки Рабочего стола с помощью Mirella.</font></td></tr></table>")
  break;
  }
  case "column2.icons":{
  for(i=5; i<11; i++) {
  document.write("<table border='0' height='16%' cellpadding='5'><tr><td width='64' align='center'><img border='0' src='"+appath+"/icons/"+icons[i]+".gif' width='48' height='48'></td><td><u><b><a href='"+link[i]+"'>"+caption[i]+"</a><br></b></u><font size='2'>"+desc[i]+"</font></td></tr></table>")
  }
  break;
  }
  case "title.bar":{
  document.write("Рабочий стол сделан с Mirella")
  break;
  }
}
}
