<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>AlarmNotice</name>
    <message>
        <source>AP hh:mm</source>
        <comment>the alarm notice&apos;s 12-hour time, as QTime::toString writes it</comment>
        <translation>h:mm AP</translation>
    </message>
</context>
<context>
    <name>Catalogue</name>
    <message>
        <source>デザインカタログ</source>
        <translation>Design catalogue</translation>
    </message>
    <message>
        <source>ja</source>
        <translation>en</translation>
    </message>
    <message>
        <source>いまのデザイン：&lt;b&gt;%1&lt;/b&gt;</source>
        <translation>Design in use: &lt;b&gt;%1&lt;/b&gt;</translation>
    </message>
    <message>
        <source>デザインが見つかりません。</source>
        <translation>No designs were found.</translation>
    </message>
    <message>
        <source>このデザインにする</source>
        <translation>Use this design</translation>
    </message>
    <message>
        <source>新しいデザインを作る</source>
        <translation>Make a new design</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>LUMINA-Desktopを終了して再度起動してください。
――――――――――――――――――
&#x3000;&#x3000;&#x3000;オプション:パス AL 0000 ファイル名
&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;時分</source>
        <translation>Quit LUMINA-Desktop and start it again.
――――――――――――――――――
Options: path AL 0000 file name
(0000: hour and minute)</translation>
    </message>
</context>
<context>
    <name>DesignFileOffer</name>
    <message>
        <source>デザインファイル「%1」を読めませんでした。
%2</source>
        <translation>The design file &quot;%1&quot; could not be read.
%2</translation>
    </message>
    <message>
        <source>デザイン「%1」をインストールしますか？</source>
        <translation>Install the design &quot;%1&quot;?</translation>
    </message>
    <message>
        <source>デザインをインストールできませんでした。
%1</source>
        <translation>The design could not be installed.
%1</translation>
    </message>
    <message>
        <source>デザイン「%1」をインストールしました。</source>
        <translation>The design &quot;%1&quot; was installed.</translation>
    </message>
    <message>
        <source>「%1」という名前のデザインはすでにあるので、「%2」としてインストールしました。</source>
        <translation>A design named &quot;%1&quot; already exists, so it was installed as &quot;%2&quot;.</translation>
    </message>
</context>
<context>
    <name>DesignSession</name>
    <message>
        <source>デザインの情報が大きすぎるため、適用しませんでした。</source>
        <translation>The design was not applied: its data is too large.</translation>
    </message>
    <message>
        <source>設定を保存できませんでした（%1）。
%2
</source>
        <translation>The settings could not be saved (%1).
%2
</translation>
    </message>
    <message>
        <source>デザイン情報を保存できませんでした（%1）。%2</source>
        <translation>The design record could not be saved (%1). %2</translation>
    </message>
    <message>
        <source>「%1」はデザインの名前に使えません。</source>
        <translation>&quot;%1&quot; cannot be the name of a design.</translation>
    </message>
    <message>
        <source>「%1」は付属のデザインなので、置き換えられません。別の名前を付けてください。</source>
        <translation>&quot;%1&quot; is a design that comes with the clock and cannot be replaced. Give your design another name.</translation>
    </message>
    <message>
        <source>デザインを保存できませんでした。
%1</source>
        <translation>The design could not be saved.
%1</translation>
    </message>
    <message>
        <source>デザインの情報に改行が含まれているため、適用しませんでした。</source>
        <translation>The design was not applied: a value in it has a line break.</translation>
    </message>
    <message>
        <source>
設定は保存されたまま、元に戻せませんでした。
%1</source>
        <translation>
The settings stay stored and could not be taken back.
%1</translation>
    </message>
</context>
<context>
    <name>FileChooser</name>
    <message>
        <source>デザインファイル (*%1)</source>
        <translation>Design files (*%1)</translation>
    </message>
    <message>
        <source>デザインを書き出す</source>
        <translation>Export a design</translation>
    </message>
    <message>
        <source>書き出すデザイン:</source>
        <translation>Design to export:</translation>
    </message>
    <message>
        <source>デザインファイルを取り込む</source>
        <translation>Install a design file</translation>
    </message>
</context>
<context>
    <name>HelpViewer</name>
    <message>
        <source>ヘルプを開けませんでした。</source>
        <translation>The help could not be opened.</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>はい(&amp;Y)</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>いいえ(&amp;N)</source>
        <translation>&amp;No</translation>
    </message>
</context>
<context>
    <name>PresetHours</name>
    <message>
        <source>深夜&#x3000;午前&#x3000;０時</source>
        <translation>Midnight</translation>
    </message>
    <message>
        <source>深夜&#x3000;午前&#x3000;１時</source>
        <translation>1 AM (late night)</translation>
    </message>
    <message>
        <source>深夜&#x3000;午前&#x3000;２時</source>
        <translation>2 AM (late night)</translation>
    </message>
    <message>
        <source>深夜&#x3000;午前&#x3000;３時</source>
        <translation>3 AM (late night)</translation>
    </message>
    <message>
        <source>早朝&#x3000;午前&#x3000;４時</source>
        <translation>4 AM (early morning)</translation>
    </message>
    <message>
        <source>早朝&#x3000;午前&#x3000;５時</source>
        <translation>5 AM (early morning)</translation>
    </message>
    <message>
        <source>早朝&#x3000;午前&#x3000;６時</source>
        <translation>6 AM (early morning)</translation>
    </message>
    <message>
        <source>朝&#x3000;&#x3000; 午前&#x3000;７時</source>
        <translation>7 AM (morning)</translation>
    </message>
    <message>
        <source>朝&#x3000;&#x3000; 午前&#x3000;８時</source>
        <translation>8 AM (morning)</translation>
    </message>
    <message>
        <source>朝&#x3000;&#x3000; 午前&#x3000;９時</source>
        <translation>9 AM (morning)</translation>
    </message>
    <message>
        <source>朝&#x3000;&#x3000; 午前１０時</source>
        <translation>10 AM (morning)</translation>
    </message>
    <message>
        <source>朝&#x3000;&#x3000; 午前１１時</source>
        <translation>11 AM (morning)</translation>
    </message>
    <message>
        <source>真昼&#x3000;午前１２時</source>
        <translation>Noon</translation>
    </message>
    <message>
        <source>真昼&#x3000;午後&#x3000;１時</source>
        <translation>1 PM (afternoon)</translation>
    </message>
    <message>
        <source>昼&#x3000;&#x3000; 午後&#x3000;２時</source>
        <translation>2 PM (afternoon)</translation>
    </message>
    <message>
        <source>昼&#x3000;&#x3000; 午後&#x3000;３時</source>
        <translation>3 PM (afternoon)</translation>
    </message>
    <message>
        <source>昼&#x3000;&#x3000; 午後&#x3000;４時</source>
        <translation>4 PM (afternoon)</translation>
    </message>
    <message>
        <source>夕方&#x3000;午後&#x3000;５時</source>
        <translation>5 PM (evening)</translation>
    </message>
    <message>
        <source>夕方&#x3000;午後&#x3000;６時</source>
        <translation>6 PM (evening)</translation>
    </message>
    <message>
        <source>夜&#x3000;&#x3000; 午後&#x3000;７時</source>
        <translation>7 PM (night)</translation>
    </message>
    <message>
        <source>夜&#x3000;&#x3000; 午後&#x3000;８時</source>
        <translation>8 PM (night)</translation>
    </message>
    <message>
        <source>夜&#x3000;&#x3000; 午後&#x3000;９時</source>
        <translation>9 PM (night)</translation>
    </message>
    <message>
        <source>夜&#x3000;&#x3000; 午後１０時</source>
        <translation>10 PM (night)</translation>
    </message>
    <message>
        <source>夜&#x3000;&#x3000; 午後１１時</source>
        <translation>11 PM (night)</translation>
    </message>
</context>
<context>
    <name>ProgramOptions</name>
    <message>
        <source>%1: 不明なオプションです: %2
使い方は「%1 --help」で表示できます。
</source>
        <translation>%1: unknown option: %2
Try &apos;%1 --help&apos; for more information.
</translation>
    </message>
    <message>
        <source>使い方: vesweb [--no-sandbox] [デザインファイル]
       vesweb --export 名前 ファイル
       vesweb --install ファイル
時計のデザインをカタログから選んで適用するデザインブラウザーです。

      --export 名前 ファイル
                      デザインを 1 つのファイル（.vsdesign）に書き出して終了します
      --install ファイル
                      デザインファイルのデザインを自分のデザインに加えて終了します
                      （同じ名前があれば 名前-2 などにします）
      --no-sandbox    ウェブエンジンをサンドボックスなしで動かします（root で使うとき）
  -h, --help          この説明を表示して終了します
      --version       バージョンを表示して終了します

環境変数 VESWEB_SITE: ほかのデザインサイトの http アドレス
詳しくは man vesweb をご覧ください。
</source>
        <translation>Usage: vesweb [--no-sandbox] [DESIGN-FILE]
       vesweb --export NAME FILE
       vesweb --install FILE
The design browser: pick a design for the clock from a catalogue and apply it.

      --export NAME FILE
                      write the design NAME to one file (.vsdesign) and exit
      --install FILE
                      add the design in FILE to your own designs and exit
                      (as NAME-2 and so on when the name is taken)
      --no-sandbox    run the web engine without its sandbox (for root)
  -h, --help          show this help and exit
      --version       show the version and exit

Environment: VESWEB_SITE, the http address of another design site
See man vesweb for more.
</translation>
    </message>
    <message>
        <source>使い方: vesclean
時計とデザインブラウザーが保存した設定を、確認のうえですべて削除します。

  -h, --help          この説明を表示して終了します
      --version       バージョンを表示して終了します

詳しくは man vesclean をご覧ください。
</source>
        <translation>Usage: vesclean
Removes every setting the clock and the design browser stored, after asking.

  -h, --help          show this help and exit
      --version       show the version and exit

See man vesclean for more.
</translation>
    </message>
    <message>
        <source>使い方: vespera [a | AL hhmm プログラム [引数...] | --指示]
画面の隅に置く、着せ替えできる時計です。

  a                   時計が動いていなければ起動します（動いていても何も表示しません）
  AL hhmm プログラム  この回だけ hh時mm分にアラームを加え、アラームのたびに
                      通知の代わりにプログラムを（引数とともに）起動します

動いている時計への指示（動いていなければ起動してから）:
      --options       オプションを開きます
      --preset        プリセットアラームを開きます
      --standard, --uptime, --total
                      時刻・システム駆動時間・積算駆動時間を表示します
      --hide          「隠す」を切り替えます
      --quit          時計を終了します

  -h, --help          この説明を表示して終了します
      --version       バージョンを表示して終了します

設定: $XDG_CONFIG_HOME/kestrel.ini（既定は ~/.config/kestrel.ini）
詳しくは man vespera をご覧ください。
</source>
        <translation>Usage: vespera [a | AL hhmm PROGRAM [ARGUMENT...] | --COMMAND]
A skinnable desktop clock for a corner of the screen.

  a                   start the clock unless it already runs (without a message)
  AL hhmm PROGRAM     add an alarm at hh:mm for this run; at every alarm, start
                      PROGRAM (with its arguments) instead of the notice

Commands for the clock that runs (started first when none runs):
      --options       open the options
      --preset        open the preset alarm dial
      --standard, --uptime, --total
                      show the time, the system uptime or the total uptime
      --hide          switch hide mode on or off
      --quit          close the clock

  -h, --help          show this help and exit
      --version       show the version and exit

Settings: $XDG_CONFIG_HOME/kestrel.ini (by default ~/.config/kestrel.ini)
See man vespera for more.
</translation>
    </message>
</context>
<context>
    <name>ReservationEditor</name>
    <message>
        <source>時間が不正です</source>
        <translation>The hour is not valid</translation>
    </message>
    <message>
        <source>分が不正です</source>
        <translation>The minute is not valid</translation>
    </message>
    <message>
        <source>10項目以上は登録できません。</source>
        <translation>No more than 10 alarms can be entered.</translation>
    </message>
</context>
<context>
    <name>SettingsStore</name>
    <message>
        <source>設定を保存できませんでした。
</source>
        <translation>The settings could not be saved.
</translation>
    </message>
</context>
<context>
    <name>Studio</name>
    <message>
        <source>表示面</source>
        <translation>Face</translation>
    </message>
    <message>
        <source>数字と文字</source>
        <translation>Digits and text</translation>
    </message>
    <message>
        <source>消えている部分</source>
        <translation>Unlit parts</translation>
    </message>
    <message>
        <source>秒・週・ベル</source>
        <translation>Seconds, week and bell</translation>
    </message>
    <message>
        <source>区切り線</source>
        <translation>Dividers</translation>
    </message>
    <message>
        <source>土曜日</source>
        <translation>Saturday</translation>
    </message>
    <message>
        <source>日曜日</source>
        <translation>Sunday</translation>
    </message>
    <message>
        <source>外枠</source>
        <translation>Frame</translation>
    </message>
    <message>
        <source>ボタン台（上）</source>
        <translation>Button panel (top)</translation>
    </message>
    <message>
        <source>ボタン台（下）</source>
        <translation>Button panel (bottom)</translation>
    </message>
    <message>
        <source>ボタン台の境目</source>
        <translation>Button panel edge</translation>
    </message>
    <message>
        <source>ボタン（上）</source>
        <translation>Buttons (top)</translation>
    </message>
    <message>
        <source>ボタン（下）</source>
        <translation>Buttons (bottom)</translation>
    </message>
    <message>
        <source>ボタンの縁</source>
        <translation>Button edges</translation>
    </message>
    <message>
        <source>ボタンの文字</source>
        <translation>Button text</translation>
    </message>
    <message>
        <source>ロゴ</source>
        <translation>Logo</translation>
    </message>
    <message>
        <source>犬の体</source>
        <translation>Dog&apos;s body</translation>
    </message>
    <message>
        <source>犬の耳</source>
        <translation>Dog&apos;s ear</translation>
    </message>
    <message>
        <source>犬の線</source>
        <translation>Dog&apos;s lines</translation>
    </message>
    <message>
        <source>犬の首輪</source>
        <translation>Dog&apos;s collar</translation>
    </message>
    <message>
        <source>犬の舌</source>
        <translation>Dog&apos;s tongue</translation>
    </message>
    <message>
        <source>7セグメント</source>
        <translation>Seven segments</translation>
    </message>
    <message>
        <source>丸ペン</source>
        <translation>Round pen</translation>
    </message>
    <message>
        <source>ドット</source>
        <translation>Dot matrix</translation>
    </message>
    <message>
        <source>フォント</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>棒</source>
        <translation>Bars</translation>
    </message>
    <message>
        <source>円</source>
        <translation>Pie</translation>
    </message>
    <message>
        <source>デザインスタジオ</source>
        <translation>Design studio</translation>
    </message>
    <message>
        <source>デザインカタログに戻る</source>
        <translation>Back to the catalogue</translation>
    </message>
    <message>
        <source>もとにするデザイン</source>
        <translation>Start from</translation>
    </message>
    <message>
        <source>デザインの名前</source>
        <translation>Name of the design</translation>
    </message>
    <message>
        <source>名前には「/」「\」「@」「..」を使えません。</source>
        <translation>A name cannot contain &quot;/&quot;, &quot;\&quot;, &quot;@&quot; or &quot;..&quot;.</translation>
    </message>
    <message>
        <source>数字</source>
        <translation>Digits</translation>
    </message>
    <message>
        <source>数字の形</source>
        <translation>Digit style</translation>
    </message>
    <message>
        <source>太字</source>
        <translation>Bold</translation>
    </message>
    <message>
        <source>傾き</source>
        <translation>Slant</translation>
    </message>
    <message>
        <source>消えている部分も薄く表示する</source>
        <translation>Show unlit parts faintly</translation>
    </message>
    <message>
        <source>秒の表示</source>
        <translation>Seconds</translation>
    </message>
    <message>
        <source>日付の区切り</source>
        <translation>Date separator</translation>
    </message>
    <message>
        <source>色</source>
        <translation>Colours</translation>
    </message>
</context>
<context>
    <name>SystemTime</name>
    <message>
        <source>時刻の自動同期が有効になっているため、時刻を設定できません。</source>
        <translation>The time cannot be set while automatic time synchronisation is on.</translation>
    </message>
    <message>
        <source>時刻を設定する権限がありません。</source>
        <translation>You are not allowed to set the time.</translation>
    </message>
    <message>
        <source>時刻を設定するサービス (timedated) が見つかりません。</source>
        <translation>The service that sets the time (timedated) was not found.</translation>
    </message>
    <message>
        <source>時刻を設定できませんでした。</source>
        <translation>The time could not be set.</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>デザイン「blue」が見つからないか、読み込めません。
探したフォルダ: %1</source>
        <translation>The design &quot;blue&quot; is missing or cannot be read.
Folders searched: %1</translation>
    </message>
    <message>
        <source>管理者（root）ではデザインブラウザーを安全に動かせません。一般のユーザーで起動してください。

</source>
        <translation>The design browser cannot run safely as the administrator (root). Start it as an ordinary user.

</translation>
    </message>
    <message>
        <source>デザインの受け取り口を開けませんでした。</source>
        <translation>The design browser could not open its local receiver.</translation>
    </message>
</context>
<context>
    <name>vesclean::RemoverWindow</name>
    <message>
        <source>VESPERA&#x3000;アンインストール&#x3000;（レジストリ削除）</source>
        <translation>VESPERA Uninstall (remove settings)</translation>
    </message>
    <message>
        <source>この操作により、積算駆動時間などのデータがリセットされます</source>
        <translation>This resets data such as the total uptime.</translation>
    </message>
    <message>
        <source>レジストリは再インストールや、バージョンアップで継承できます。</source>
        <translation>Settings you keep carry over to a reinstall or an upgrade.</translation>
    </message>
    <message>
        <source>VESPERA&#x3000;で設定されたレジストリを削除しますか？</source>
        <translation>Remove the settings stored by VESPERA?</translation>
    </message>
    <message>
        <source>いいえ</source>
        <translation>No</translation>
    </message>
    <message>
        <source>は い</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>レジストリ削除</source>
        <translation>Remove settings</translation>
    </message>
    <message>
        <source>削除しました。</source>
        <translation>The settings were removed.</translation>
    </message>
    <message>
        <source>削除する設定はありませんでした。</source>
        <translation>There were no settings to remove.</translation>
    </message>
    <message>
        <source>削除できませんでした。
%1</source>
        <translation>The settings could not be removed.
%1</translation>
    </message>
    <message>
        <source>時計が起動しています。時計を終了させてから、もう一度「は い」を押してください。</source>
        <translation>The clock is running. Quit the clock, then press Yes again.</translation>
    </message>
</context>
<context>
    <name>vespera::AlarmNotice</name>
    <message>
        <source>アラーム</source>
        <translation>Alarm</translation>
    </message>
    <message>
        <source>（遅れて通知）</source>
        <translation>(late)</translation>
    </message>
    <message>
        <source>スヌーズ</source>
        <translation>Snooze</translation>
    </message>
    <message>
        <source>%1です。</source>
        <comment>the alarm notice&apos;s line; %1 is the time</comment>
        <translation>Alarm: %1</translation>
    </message>
    <message>
        <source>音が出せません（%1）</source>
        <translation>No sound: %1</translation>
    </message>
</context>
<context>
    <name>vespera::ClockMenu</name>
    <message>
        <source>メニュー</source>
        <translation>Menu</translation>
    </message>
    <message>
        <source>表示</source>
        <translation>View</translation>
    </message>
    <message>
        <source>標準</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>システム駆動時間</source>
        <translation>System uptime</translation>
    </message>
    <message>
        <source>積算駆動時間</source>
        <translation>Total uptime</translation>
    </message>
    <message>
        <source>隠す</source>
        <translation>Hide</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>プリセットアラーム</source>
        <translation>Preset alarm</translation>
    </message>
    <message>
        <source>●&#x3000;現在</source>
        <translation>● Now</translation>
    </message>
    <message>
        <source>積算カウンターリセット</source>
        <translation>Reset total</translation>
    </message>
    <message>
        <source>積算禁止</source>
        <translation>Don&apos;t count this run</translation>
    </message>
    <message>
        <source>表示するモニター</source>
        <translation>Monitor</translation>
    </message>
    <message>
        <source>常に手前</source>
        <translation>Always on top</translation>
    </message>
    <message>
        <source>自動的に隠す</source>
        <translation>Hide automatically</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>プライマリモニター</source>
        <translation>Primary monitor</translation>
    </message>
    <message>
        <source>%1（%2×%3）</source>
        <translation>%1 (%2×%3)</translation>
    </message>
    <message>
        <source>ログイン時に起動</source>
        <translation>Start at login</translation>
    </message>
</context>
<context>
    <name>vespera::ClockWindow</name>
    <message>
        <source>システム駆動時間</source>
        <translation>System uptime</translation>
    </message>
    <message>
        <source>積算駆動時間</source>
        <translation>Total uptime</translation>
    </message>
    <message>
        <source>ログイン時に起動するように設定できませんでした。
%1</source>
        <translation>The clock could not be set to start at login.
%1</translation>
    </message>
    <message>
        <source>ログイン時の起動を取り消せませんでした。
%1</source>
        <translation>Starting at login could not be switched off.
%1</translation>
    </message>
</context>
<context>
    <name>vespera::OptionsDialog</name>
    <message>
        <source>表示</source>
        <translation>Display</translation>
    </message>
    <message>
        <source>アラーム</source>
        <translation>Alarm</translation>
    </message>
    <message>
        <source>時計合わせ</source>
        <translation>Set clock</translation>
    </message>
    <message>
        <source>ヘルプ：[F1]</source>
        <translation>Help: [F1]</translation>
    </message>
    <message>
        <source>時計の位置</source>
        <translation>Clock position</translation>
    </message>
    <message>
        <source>左上</source>
        <translation>Top left</translation>
    </message>
    <message>
        <source>左下</source>
        <translation>Bottom left</translation>
    </message>
    <message>
        <source>右上</source>
        <translation>Top right</translation>
    </message>
    <message>
        <source>右下</source>
        <translation>Bottom right</translation>
    </message>
    <message>
        <source>常に手前</source>
        <translation>Always on top</translation>
    </message>
    <message>
        <source>自動的に隠す</source>
        <translation>Hide automatically</translation>
    </message>
    <message>
        <source>24時間表示</source>
        <translation>24-hour display</translation>
    </message>
    <message>
        <source>ワンちゃんを動かせる</source>
        <translation>Let the dog move</translation>
    </message>
    <message>
        <source>左側ゲージのモード</source>
        <translation>Left gauge mode</translation>
    </message>
    <message>
        <source>カレンダ位置</source>
        <translation>Calendar position</translation>
    </message>
    <message>
        <source>第○曜日表示</source>
        <translation>Nth weekday</translation>
    </message>
    <message>
        <source>時計のデザイン</source>
        <translation>Clock design</translation>
    </message>
    <message>
        <source>その他のデザイン</source>
        <translation>More designs</translation>
    </message>
    <message>
        <source>アラームの予約</source>
        <translation>Alarms set</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Del</translation>
    </message>
    <message>
        <source>30分時報</source>
        <translation>Chime</translation>
    </message>
    <message>
        <source>セット</source>
        <translation>Set</translation>
    </message>
    <message>
        <source>アラーム時起動するソフト</source>
        <translation>Program to start at an alarm</translation>
    </message>
    <message>
        <source>参照</source>
        <translation>Browse</translation>
    </message>
    <message>
        <source>アラーム音量変更</source>
        <translation>Alarm volume</translation>
    </message>
    <message>
        <source>テスト</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>時報音量変更</source>
        <translation>Chime volume</translation>
    </message>
    <message>
        <source>現在時刻</source>
        <translation>Time now</translation>
    </message>
    <message>
        <source>設定時刻</source>
        <translation>Set to</translation>
    </message>
    <message>
        <source>アラームをONにしてください。</source>
        <translation>Switch the alarm on first.</translation>
    </message>
    <message>
        <source>30分時報をONにしてください。</source>
        <translation>Switch the chime on first.</translation>
    </message>
    <message>
        <source>アラーム起動ソフト</source>
        <translation>Alarm program</translation>
    </message>
    <message>
        <source>起動するソフトを正常に指定できていません。</source>
        <translation>The program to start is not set correctly.</translation>
    </message>
    <message>
        <source>アラームの予約は12件までです。入りきらない予約は保存されませんでした。</source>
        <translation>At most 12 alarms can be set. The alarms that did not fit were not stored.</translation>
    </message>
    <message>
        <source>位置の設定の適用は次回起動時に有効となります。</source>
        <translation>The new position takes effect the next time the clock starts.</translation>
    </message>
</context>
<context>
    <name>vespera::PresetDial</name>
    <message>
        <source>プリセットアラーム</source>
        <translation>Preset alarm</translation>
    </message>
    <message>
        <source>アラームの予約は12件までです。</source>
        <translation>At most 12 alarms can be set.</translation>
    </message>
    <message>
        <source>preset.png</source>
        <comment>the dial&apos;s picture in English</comment>
        <translation>preset.en.png</translation>
    </message>
</context>
<context>
    <name>vespera::ProgramChooser</name>
    <message>
        <source>実行ファイルを指定</source>
        <translation>Choose a program</translation>
    </message>
    <message>
        <source>指&#x3000;定</source>
        <translation>Choose</translation>
    </message>
</context>
<context>
    <name>vespera::WelcomeWindow</name>
    <message>
        <source>この度はVESPERAをご選択いただき、ありがとうございます</source>
        <translation>Thank you for choosing VESPERA.</translation>
    </message>
    <message>
        <source>時計はマウスを近づけると、隠れるようになっています。&#x3000;時計を操作したい時は、[Shift]キーを押しながら行ってください。</source>
        <translation>The clock slides away when the mouse comes near it. To use the clock, hold down [Shift].</translation>
    </message>
    <message>
        <source>詳しくはヘルプをご覧下さい。</source>
        <translation>See the help for more.</translation>
    </message>
    <message>
        <source>了解したので、次回以降表示しない</source>
        <translation>Got it, don&apos;t show this again</translation>
    </message>
    <message>
        <source>更新情報</source>
        <translation>What&apos;s new</translation>
    </message>
    <message>
        <source>ヘルプ</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>↑&#x3000;どこが新しくなったのか、是非ご確認ください</source>
        <translation>↑ See what has changed in this version</translation>
    </message>
    <message>
        <source>更新情報（update.txt）を開けませんでした。</source>
        <translation>What&apos;s new (update.en.txt) could not be opened.</translation>
    </message>
</context>
<context>
    <name>vesweb::BrowserWindow</name>
    <message>
        <source>□ホーム</source>
        <translation>□Home</translation>
    </message>
    <message>
        <source>設定を変更してもよろしいですか？</source>
        <translation>Change the settings?</translation>
    </message>
    <message>
        <source>時計が起動しています。時計を終了させてから、もう一度設定を押してください。</source>
        <translation>The clock is running. Quit the clock, then press the button again.</translation>
    </message>
    <message>
        <source>時計（vespera）を起動できませんでした。</source>
        <translation>The clock (vespera) could not be started.</translation>
    </message>
    <message>
        <source>デザインを書き出す…</source>
        <translation>Export a design…</translation>
    </message>
    <message>
        <source>デザインファイルを取り込む…</source>
        <translation>Install a design file…</translation>
    </message>
    <message>
        <source>デザイン「%1」はすでにあります。置き換えてもよろしいですか？</source>
        <translation>The design &quot;%1&quot; already exists. Replace it?</translation>
    </message>
    <message>
        <source>デザイン「%1」を書き出せませんでした。
%2</source>
        <translation>The design &quot;%1&quot; could not be exported.
%2</translation>
    </message>
    <message>
        <source>デザイン「%1」を %2 に書き出しました。</source>
        <translation>The design &quot;%1&quot; was exported to %2.</translation>
    </message>
    <message>
        <source>このページからの設定の変更は、ホームに戻るか別のページを開くまで受け付けません。</source>
        <translation>Changes to the settings from this page are ignored until you go Home or open another page.</translation>
    </message>
</context>
</TS>
