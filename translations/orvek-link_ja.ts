<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>Artwork</name>
    <message>
        <source>USB Connected</source>
        <translation>USB接続</translation>
    </message>
    <message>
        <source>ESC Connected</source>
        <translation>ESC接続</translation>
    </message>
    <message>
        <source>Program Card Connected</source>
        <translation>プログラムカード接続</translation>
    </message>
    <message>
        <source>Firmware :</source>
        <translation>ファームウェア :</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>カテゴリー</translation>
    </message>
    <message>
        <source>Setup Sheet</source>
        <translation>セットアップシート</translation>
    </message>
    <message>
        <source>ESC FIRMWARE</source>
        <translation>ESCファームウェア</translation>
    </message>
    <message>
        <source>PROGRAM CARD FIRMWARE</source>
        <translation>プログラムカードファームウェア</translation>
    </message>
    <message>
        <source>FIRMWARE INFORMATION</source>
        <translation>ファームウェア情報</translation>
    </message>
    <message>
        <source>ESC
FIRMWARE
SAVE</source>
        <translation>ESC
ファームウェア
書き込み</translation>
    </message>
    <message>
        <source>PROGRAM CARD
FIRMWARE
SAVE</source>
        <translation>プログラムカード
ファームウェア
書き込み</translation>
    </message>
    <message>
        <source>Product page ›</source>
        <translation>製品ページ ›</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>接続</translation>
    </message>
    <message>
        <source>Plug the ORVEK USB link into the computer, then into the ESC&apos;s programming port or the QLX program card. The USB lamp lights once the adapter is found.</source>
        <translation>ORVEK USBリンクをパソコンに挿し、ESCのプログラムポートまたはQLXプログラムカードにつなぎます。アダプターが見つかるとUSBランプが点灯します。</translation>
    </message>
    <message>
        <source>Choose the device</source>
        <translation>デバイスの選択</translation>
    </message>
    <message>
        <source>In the Device menu pick Esc or Program Card. The ESC or program card lamp lights as soon as the device answers.</source>
        <translation>デバイスメニューでESCかプログラムカードを選びます。デバイスが応答するとESCまたはプログラムカードのランプが点灯します。</translation>
    </message>
    <message>
        <source>The ESC&apos;s eighteen settings are read by themselves. Change them and click SEND SETTING; DEFAULT SETTING puts back the factory values. Team setup sheets: PRE-SET PROFILES.</source>
        <translation>ESCの18項目の設定は自動で読み込まれます。変更して「設定送信」をクリック。「初期設定」で工場出荷値に戻ります。チームのセットアップシートは「プリセット」から。</translation>
    </message>
    <message>
        <source>Shows the firmware on the device. Pick an image and click its FIRMWARE SAVE picture; keep the device powered until Finished shows.</source>
        <translation>デバイスのファームウェアを表示します。ファイルを選んで「ファームウェア書き込み」をクリック。「完了」と出るまで電源を切らないでください。</translation>
    </message>
    <message>
        <source>Fix Mode</source>
        <translation>Fixモード</translation>
    </message>
    <message>
        <source>If an update was cut short, choose Device &gt; Fix Mode, power the ESC and run the ESC firmware update again.</source>
        <translation>アップデートが途中で止まったら、デバイス &gt; Fixモードを選び、ESCの電源を入れてファームウェア更新をやり直します。</translation>
    </message>
    <message>
        <source>Settings files</source>
        <translation>設定ファイル</translation>
    </message>
    <message>
        <source>File &gt; Export Settings saves the settings to a .cfg file; File &gt; Import Settings loads them back.</source>
        <translation>ファイル &gt; 設定をエクスポートで .cfg ファイルに保存、ファイル &gt; 設定をインポートで読み戻します。</translation>
    </message>
    <message>
        <source>Keys</source>
        <translation>キー操作</translation>
    </message>
    <message>
        <source>Tab, Shift+Tab: next, previous control; Space or Enter clicks; arrows change a list. Alt+1, 2, 3: the pages; Alt+F, D, H: the menus.</source>
        <translation>Tab、Shift+Tab: 次・前の項目。Space・Enter: クリック。矢印: リストの変更。Alt+1、2、3: ページ。Alt+F、D、H: メニュー。</translation>
    </message>
    <message>
        <source>GO TO</source>
        <translation>ホーム</translation>
    </message>
    <message>
        <source>HOMEPAGE</source>
        <translation>ページへ</translation>
    </message>
    <message>
        <source>ORVEK PRODUCTS</source>
        <translation>ORVEK 製品</translation>
    </message>
    <message>
        <source>Brushless ESC</source>
        <translation>ブラシレスESC</translation>
    </message>
    <message>
        <source>Spec-class ESC</source>
        <translation>スペッククラスESC</translation>
    </message>
    <message>
        <source>Program card</source>
        <translation>プログラムカード</translation>
    </message>
    <message>
        <source>Click a product for its page</source>
        <translation>製品をクリックするとページを開きます</translation>
    </message>
    <message>
        <source>SELECT A DEVICE</source>
        <translation>デバイスを選択</translation>
    </message>
    <message>
        <source>Device menu: Esc or Program Card</source>
        <translation>デバイスメニュー: ESCまたはプログラムカード</translation>
    </message>
    <message>
        <source>DEVICE CONNECTION STATUS</source>
        <translation>接続状態</translation>
    </message>
    <message>
        <source>ESC INFORMATION</source>
        <translation>ESC情報</translation>
    </message>
    <message>
        <source>BASIC SETUP</source>
        <translation>基本設定</translation>
    </message>
    <message>
        <source>TECHNICAL SETUP</source>
        <translation>詳細設定</translation>
    </message>
    <message>
        <source>FACTORY TEAM PRE-SET
PROFILES SELECT</source>
        <translation>ファクトリーチーム
プリセット選択</translation>
    </message>
    <message>
        <source>TEAM DRIVER
SETUP COMMENT</source>
        <translation>チームドライバー
セットアップメモ</translation>
    </message>
    <message>
        <source>DEFAULT
SETTING</source>
        <translation>初期
設定</translation>
    </message>
    <message>
        <source>SEND
SETTING</source>
        <translation>設定
送信</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>USB Connection Error!</source>
        <translation>USB接続エラー！</translation>
    </message>
    <message>
        <source>ESC Connection Error!</source>
        <translation>ESC接続エラー！</translation>
    </message>
    <message>
        <source>Program Card Connection Error!</source>
        <translation>プログラムカード接続エラー！</translation>
    </message>
    <message>
        <source>Read File Error!</source>
        <translation>ファイル読み込みエラー！</translation>
    </message>
    <message>
        <source>Write File Error!</source>
        <translation>ファイル書き込みエラー！</translation>
    </message>
    <message>
        <source>Send fail</source>
        <translation>送信失敗</translation>
    </message>
    <message>
        <source>Send Fail</source>
        <translation>送信失敗（確定できません）</translation>
    </message>
    <message>
        <source>Update Error: TX=0xd6, TX Timeover!</source>
        <translation>アップデートエラー: TX=0xd6、タイムアウト！</translation>
    </message>
    <message>
        <source>Update Error: TX=0x39, TX Timeover!</source>
        <translation>アップデートエラー: TX=0x39、タイムアウト！</translation>
    </message>
    <message>
        <source>Update Error: TX=0x31, TX Timeover!</source>
        <translation>アップデートエラー: TX=0x31、タイムアウト！</translation>
    </message>
    <message>
        <source>Update Error: TX=0xd7, TX Timeover!</source>
        <translation>アップデートエラー: TX=0xd7、タイムアウト！</translation>
    </message>
    <message>
        <source>Update Error: TX=0xd7, RX!=0xd8!</source>
        <translation>アップデートエラー: TX=0xd7、RX!=0xd8！</translation>
    </message>
    <message>
        <source>Update Error: TX=0xd6, RX!=0xd7!</source>
        <translation>アップデートエラー: TX=0xd6、RX!=0xd7！</translation>
    </message>
    <message>
        <source>Update Error: Data transfer error!</source>
        <translation>アップデートエラー: データ転送エラー！</translation>
    </message>
    <message>
        <source>Update Error: Data transfer no ack!</source>
        <translation>アップデートエラー: データ転送の応答がありません！</translation>
    </message>
    <message>
        <source>Update Error: Data transfer crc error!</source>
        <translation>アップデートエラー: データ転送のCRCエラー！</translation>
    </message>
    <message>
        <source>Update Error: repeat Data transfer over four time!</source>
        <translation>アップデートエラー: データ転送の再試行が4回を超えました！</translation>
    </message>
    <message>
        <source>Update Error: transfer bytes number error!</source>
        <translation>アップデートエラー: 転送バイト数エラー！</translation>
    </message>
    <message>
        <source>Update Error: stopped on request!</source>
        <translation>アップデートエラー: 要求により中止しました！</translation>
    </message>
    <message>
        <source>A write series is running. End it first.</source>
        <translation>連続書き込み中です。先に終了してください。</translation>
    </message>
    <message>
        <source>The page shows no ESC&apos;s settings to write. Identify an ESC or load a setup sheet first.</source>
        <translation>書き込むESCの設定がありません。先にESCを認識させるか、セットアップシートを読み込んでください。</translation>
    </message>
    <message>
        <source>Plug in the next ESC</source>
        <translation>次のESCを接続してください</translation>
    </message>
    <message>
        <source>Unplug the ESC on the line (or power it off)</source>
        <translation>接続中のESCを外してください（または電源オフ）</translation>
    </message>
    <message>
        <source>Unplug ESC %1 (or power it off)</source>
        <translation>ESC %1 を外してください（または電源オフ）</translation>
    </message>
    <message>
        <source>Writing ESC %1…</source>
        <translation>ESC %1 に書き込み中…</translation>
    </message>
    <message>
        <source>Series ended: %1 ESC</source>
        <translation>連続書き込み終了: ESC %1台</translation>
    </message>
    <message>
        <source>Series ended: %1 ESCs</source>
        <translation>連続書き込み終了: ESC %1台</translation>
    </message>
    <message>
        <source>written and verified</source>
        <translation>書き込み・確認済み</translation>
    </message>
    <message>
        <source>already equal</source>
        <translation>変更なし</translation>
    </message>
    <message>
        <source>refused</source>
        <translation>拒否</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>失敗</translation>
    </message>
    <message>
        <source>read</source>
        <translation>読み込み</translation>
    </message>
    <message>
        <source>write</source>
        <translation>書き込み</translation>
    </message>
    <message>
        <source>defaults</source>
        <translation>初期設定</translation>
    </message>
    <message>
        <source>backup</source>
        <translation>バックアップ</translation>
    </message>
    <message>
        <source>update</source>
        <translation>アップデート</translation>
    </message>
    <message>
        <source>No permission to open the adapter&apos;s port. Install the ORVEK Link udev rule (the package does) and plug the adapter in again, or join the dialout group and log in again.</source>
        <translation>ポートを開く権限がありません。ORVEK Linkのudevルールを入れて（パッケージが入れます）アダプターを挿し直すか、dialoutグループに入って再ログインしてください。</translation>
    </message>
    <message>
        <source>Windows refused the adapter&apos;s COM port. Close any other program that uses it, or plug the adapter in again and check its CP210x driver in the Device Manager.</source>
        <translation>WindowsがアダプターのCOMポートを拒否しました。使用中の他のプログラムを閉じるか、アダプターを挿し直してデバイスマネージャーでCP210xドライバーを確認してください。</translation>
    </message>
    <message>
        <source>Your setup sheet &quot;%1&quot; in %2 already exists.
Do you want to replace it?</source>
        <translation>%2 のセットアップシート「%1」は既にあります。
置き換えますか？</translation>
    </message>
    <message>
        <source>An installed setup sheet &quot;%1&quot; in %2 has this name. It stays as it is; your copy is listed in its place.
Save it?</source>
        <translation>%2 に同じ名前の付属セットアップシート「%1」があります。付属のものはそのまま残り、あなたのシートが代わりに表示されます。
保存しますか？</translation>
    </message>
    <message>
        <source>Cannot write %1:
%2</source>
        <translation>%1 に書き込めません:
%2</translation>
    </message>
    <message>
        <source>A series report is written as .csv or .json.</source>
        <translation>連続書き込みレポートは .csv または .json で保存します。</translation>
    </message>
    <message>
        <source>Some settings differ from what the ESC holds and have not been sent.
Close without sending them?</source>
        <translation>ESCと異なる設定があり、まだ送信されていません。
送信せずに閉じますか？</translation>
    </message>
    <message>
        <source>The language could not be written to your config.ini.</source>
        <translation>言語を config.ini に書き込めませんでした。</translation>
    </message>
    <message>
        <source>Do you want to replace it?</source>
        <translation>置き換えますか？</translation>
    </message>
    <message>
        <source>These settings were left unchanged: their values match no option of the lists as they are filled now.</source>
        <translation>次の設定は変更されませんでした（現在のリストに一致する選択肢がありません）。</translation>
    </message>
    <message>
        <source>Please select ESC Firmware version!</source>
        <translation>ESCのファームウェアを選択してください！</translation>
    </message>
    <message>
        <source>Please select Program Card Firmware version!</source>
        <translation>プログラムカードのファームウェアを選択してください！</translation>
    </message>
    <message>
        <source>The settings history is locked by another program; this was not recorded.</source>
        <translation>設定履歴は他のプログラムがロックしています。今回は記録されませんでした。</translation>
    </message>
    <message>
        <source>The settings history cannot grow: the disk is full; this was not recorded.</source>
        <translation>ディスクがいっぱいで設定履歴を増やせません。今回は記録されませんでした。</translation>
    </message>
    <message>
        <source>The settings history was written by a newer version of the program; it is left as it is and nothing is recorded.</source>
        <translation>設定履歴は新しいバージョンのプログラムで書かれています。そのまま残し、何も記録しません。</translation>
    </message>
    <message>
        <source>No such record in the settings history.</source>
        <translation>設定履歴にその記録はありません。</translation>
    </message>
    <message>
        <source>the values are for %1; this is %2</source>
        <translation>設定値は%1用です。このESCは%2です</translation>
    </message>
    <message>
        <source>an Expert ESC</source>
        <translation>Expert ESC</translation>
    </message>
    <message>
        <source>a Stock ESC</source>
        <translation>Stock ESC</translation>
    </message>
    <message>
        <source>a Blinky ESC</source>
        <translation>Blinky ESC</translation>
    </message>
    <message>
        <source>an Unlisted ESC</source>
        <translation>未登録のESC</translation>
    </message>
    <message>
        <source>unknown ESC type code %1</source>
        <translation>不明なESCタイプコード %1</translation>
    </message>
    <message>
        <source>its settings could not be read</source>
        <translation>設定を読み込めませんでした</translation>
    </message>
    <message>
        <source>the values could not be read: %1</source>
        <translation>設定値を読み込めませんでした: %1</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; matches no option on this ESC</source>
        <translation>%1:「%2」はこのESCの選択肢にありません</translation>
    </message>
    <message>
        <source>Send fail (pair %1 of %2, register %3, was not acknowledged)</source>
        <translation>送信失敗（%2組中%1組目、レジスタ %3 の応答なし）</translation>
    </message>
    <message>
        <source>Send Fail (the commit byte could not be sent)</source>
        <translation>送信失敗（確定バイトを送れませんでした）</translation>
    </message>
    <message>
        <source>write stopped after %1 of %2 pairs: the ESC holds an unfinished write, not committed, until the settings are written again or it is powered off</source>
        <translation>%2組中%1組で書き込みが止まりました。設定を書き直すか電源を切るまで、ESCは未確定の書き込みを保持します</translation>
    </message>
    <message>
        <source>the settings were sent but could not be read back to verify them</source>
        <translation>設定は送信しましたが、確認のための読み戻しができませんでした</translation>
    </message>
    <message>
        <source>verification failed: %1</source>
        <translation>確認失敗: %1</translation>
    </message>
    <message>
        <source>setup sheet %1</source>
        <translation>セットアップシート %1</translation>
    </message>
    <message>
        <source>settings file %1</source>
        <translation>設定ファイル %1</translation>
    </message>
    <message>
        <source>record #%1</source>
        <translation>記録 #%1</translation>
    </message>
    <message>
        <source>device</source>
        <translation>ESC</translation>
    </message>
    <message>
        <source>page</source>
        <translation>画面</translation>
    </message>
    <message>
        <source>sheet</source>
        <translation>シート</translation>
    </message>
    <message>
        <source>file</source>
        <translation>ファイル</translation>
    </message>
    <message>
        <source>history</source>
        <translation>履歴</translation>
    </message>
    <message>
        <source>series</source>
        <translation>連続書き込み</translation>
    </message>
    <message>
        <source>a sheet needs a name</source>
        <translation>シート名を入力してください。</translation>
    </message>
    <message>
        <source>a sheet name must be UTF-8 text; this one holds bytes that are not</source>
        <translation>シート名はUTF-8の文字にしてください。UTF-8でないバイトが含まれています。</translation>
    </message>
    <message>
        <source>a sheet name may not hold a tab, line break or other control character</source>
        <translation>シート名にタブ、改行などの制御文字は使えません。</translation>
    </message>
    <message>
        <source>a sheet name may not hold any of : * ? &quot; &lt; &gt; | / \ (Windows file names cannot)</source>
        <translation>シート名に : * ? &quot; &lt; &gt; | / \ は使えません（Windowsのファイル名に使えないため）。</translation>
    </message>
    <message>
        <source>a sheet name may not be only spaces</source>
        <translation>シート名を空白だけにはできません。</translation>
    </message>
    <message>
        <source>a sheet name may not start with a dot</source>
        <translation>シート名をドットで始めることはできません。</translation>
    </message>
    <message>
        <source>a sheet name may not end in a dot or a space (Windows drops them from file names)</source>
        <translation>シート名の末尾にドットや空白は使えません（Windowsがファイル名から削除するため）。</translation>
    </message>
    <message>
        <source>a sheet name may not be CON, PRN, AUX, NUL, COM1 to COM9 or LPT1 to LPT9, with or without an extension (Windows keeps these names for devices)</source>
        <translation>シート名にCON、PRN、AUX、NUL、COM1～COM9、LPT1～LPT9は拡張子の有無にかかわらず使えません（Windowsがデバイス名として予約しています）。</translation>
    </message>
    <message>
        <source>a sheet name may be at most 100 characters long</source>
        <translation>シート名は100文字までです。</translation>
    </message>
    <message>
        <source>the memo holds a line break; a sheet keeps one line</source>
        <translation>メモに改行があります。シートには1行だけ保存できます。</translation>
    </message>
    <message>
        <source>the %1 value holds a line break; a sheet keeps one line</source>
        <translation>%1の値に改行があります。シートには1行だけ保存できます。</translation>
    </message>
    <message>
        <source>the memo is %1 bytes long; a sheet keeps at most %2 (a plain letter takes 1 byte, an accented one 2, a Japanese character 3)</source>
        <translation>メモが%1バイトあります。シートに保存できるのは%2バイトまでです（半角英字は1バイト、アクセント付き文字は2、日本語の文字は3）。</translation>
    </message>
    <message>
        <source>the %1 value is %2 bytes long; a sheet keeps at most %3 (a plain letter takes 1 byte, an accented one 2, a Japanese character 3)</source>
        <translation>%1の値が%2バイトあります。シートに保存できるのは%3バイトまでです（半角英字は1バイト、アクセント付き文字は2、日本語の文字は3）。</translation>
    </message>
    <message>
        <source>The diagnostic log could not be written.</source>
        <translation>診断ログを保存できませんでした。</translation>
    </message>
</context>
<context>
    <name>QFileDialog</name>
    <message>
        <source>All Files (*)</source>
        <translation>すべてのファイル (*)</translation>
    </message>
</context>
<context>
    <name>QPlatformTheme</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>はい(&amp;Y)</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>いいえ(&amp;N)</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>開く</translation>
    </message>
</context>
<context>
    <name>SettingName</name>
    <message>
        <source>Operation Mode</source>
        <translation>走行モード</translation>
    </message>
    <message>
        <source>Reverse Speed</source>
        <translation>バック速度</translation>
    </message>
    <message>
        <source>Low Volt Cut</source>
        <translation>ローボルトカット</translation>
    </message>
    <message>
        <source>Drag Brake</source>
        <translation>ドラッグブレーキ</translation>
    </message>
    <message>
        <source>Initial Brake</source>
        <translation>初期ブレーキ</translation>
    </message>
    <message>
        <source>Full Brake</source>
        <translation>最大ブレーキ</translation>
    </message>
    <message>
        <source>Brake Frequency</source>
        <translation>ブレーキ周波数</translation>
    </message>
    <message>
        <source>Power Profile</source>
        <translation>パワープロファイル</translation>
    </message>
    <message>
        <source>Drive Frequency</source>
        <translation>駆動周波数</translation>
    </message>
    <message>
        <source>Neutral DeadBand</source>
        <translation>ニュートラル幅</translation>
    </message>
    <message>
        <source>Temp Cut Set</source>
        <translation>温度カット</translation>
    </message>
    <message>
        <source>Boost Timing</source>
        <translation>ブースト</translation>
    </message>
    <message>
        <source>Boost RPM</source>
        <translation>ブースト回転数</translation>
    </message>
    <message>
        <source>Boost ACC</source>
        <translation>ブースト加速</translation>
    </message>
    <message>
        <source>Turbo Timing</source>
        <translation>ターボ</translation>
    </message>
    <message>
        <source>Turbo Slope</source>
        <translation>ターボ傾斜</translation>
    </message>
    <message>
        <source>Turbo Delay</source>
        <translation>ターボ遅延</translation>
    </message>
    <message>
        <source>Rotation Mode</source>
        <translation>回転方向</translation>
    </message>
    <message>
        <source>Driver</source>
        <translation>ドライバー</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>日付</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>レース</translation>
    </message>
    <message>
        <source>Firmware</source>
        <translation>ファームウェア</translation>
    </message>
    <message>
        <source>Motor</source>
        <translation>モーター</translation>
    </message>
    <message>
        <source>Gear Ratio</source>
        <translation>ギア比</translation>
    </message>
    <message>
        <source>Timing</source>
        <translation>進角</translation>
    </message>
    <message>
        <source>Rotor</source>
        <translation>ローター</translation>
    </message>
    <message>
        <source>Track Name</source>
        <translation>サーキット</translation>
    </message>
    <message>
        <source>Track Type</source>
        <translation>路面</translation>
    </message>
    <message>
        <source>Track Design</source>
        <translation>レイアウト</translation>
    </message>
    <message>
        <source>Traction Level</source>
        <translation>グリップ</translation>
    </message>
    <message>
        <source>Temp Track</source>
        <translation>路面温度</translation>
    </message>
</context>
<context>
    <name>escSetupText</name>
    <message>
        <source>Closing...</source>
        <translation>終了中...</translation>
    </message>
    <message>
        <source>SEND SETTING</source>
        <translation>設定送信</translation>
    </message>
    <message>
        <source>DEFAULT SETTING</source>
        <translation>初期設定</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>カテゴリー</translation>
    </message>
    <message>
        <source>Setup Sheet</source>
        <translation>セットアップシート</translation>
    </message>
    <message>
        <source>Setup comment</source>
        <translation>セットアップメモ</translation>
    </message>
    <message>
        <source>Settings write</source>
        <translation>設定の書き込み</translation>
    </message>
</context>
<context>
    <name>fileFilter</name>
    <message>
        <source>config Files (*.cfg)</source>
        <translation>設定ファイル (*.cfg)</translation>
    </message>
    <message>
        <source>Setup card (*.pdf *.png)</source>
        <translation>セットアップカード (*.pdf *.png)</translation>
    </message>
    <message>
        <source>Diagnostic log (*.txt)</source>
        <translation>診断ログ (*.txt)</translation>
    </message>
</context>
<context>
    <name>firmwareText</name>
    <message>
        <source>Model Name</source>
        <translation>モデル名</translation>
    </message>
    <message>
        <source>Hardware Version</source>
        <translation>ハードウェア</translation>
    </message>
    <message>
        <source>Now Firmware</source>
        <translation>現在のファーム</translation>
    </message>
    <message>
        <source>Change Firmware</source>
        <translation>更新ファーム</translation>
    </message>
    <message>
        <source>ESC: Change Firmware</source>
        <translation>ESC: 更新ファーム</translation>
    </message>
    <message>
        <source>Program card: Change Firmware</source>
        <translation>プログラムカード: 更新ファーム</translation>
    </message>
    <message>
        <source>ESC FIRMWARE SAVE</source>
        <translation>ESCファームウェア書き込み</translation>
    </message>
    <message>
        <source>PROGRAM CARD FIRMWARE SAVE</source>
        <translation>プログラムカードファームウェア書き込み</translation>
    </message>
    <message>
        <source>ESC firmware update</source>
        <translation>ESCファームウェア更新</translation>
    </message>
    <message>
        <source>Program card firmware update</source>
        <translation>プログラムカードファームウェア更新</translation>
    </message>
    <message>
        <source>Firmware information</source>
        <translation>ファームウェア情報</translation>
    </message>
</context>
<context>
    <name>linksText</name>
    <message>
        <source>ORVEK homepage</source>
        <translation>ORVEK ホームページ</translation>
    </message>
</context>
<context>
    <name>menuText</name>
    <message>
        <source>&amp;File</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Import Settings</source>
        <translation>設定をインポート(&amp;I)</translation>
    </message>
    <message>
        <source>&amp;Export Settings</source>
        <translation>設定をエクスポート(&amp;E)</translation>
    </message>
    <message>
        <source>Save as Setup &amp;Sheet...</source>
        <translation>セットアップシートとして保存(&amp;S)...</translation>
    </message>
    <message>
        <source>Export Setup &amp;Card...</source>
        <translation>セットアップカードを書き出し(&amp;C)...</translation>
    </message>
    <message>
        <source>Settings &amp;History...</source>
        <translation>設定履歴(&amp;H)...</translation>
    </message>
    <message>
        <source>Write Se&amp;ries...</source>
        <translation>連続書き込み(&amp;R)...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>終了(&amp;X)</translation>
    </message>
    <message>
        <source>&amp;Device</source>
        <translation>デバイス(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Esc</source>
        <translation>ESC(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Program Card</source>
        <translation>プログラムカード(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Fix Mode</source>
        <translation>Fixモード(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>バージョン情報(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Language (from the next start)</source>
        <translation>言語 - 次回起動から(&amp;L)</translation>
    </message>
    <message>
        <source>Save &amp;Diagnostic Log...</source>
        <translation>診断ログを保存(&amp;D)...</translation>
    </message>
</context>
<context>
    <name>orvek::CEscSetupDlg</name>
    <message>
        <source>Differs from the ESC: SEND SETTING writes it</source>
        <translation>ESCと異なります: 設定送信で書き込みます</translation>
    </message>
</context>
<context>
    <name>orvek::CFirmwareDlg</name>
    <message>
        <source>Ready</source>
        <translation>準備完了</translation>
    </message>
    <message>
        <source>Finished</source>
        <translation>完了</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>失敗</translation>
    </message>
    <message>
        <source>The firmware image %1 is damaged:</source>
        <translation>ファームウェアファイル %1 は壊れています:</translation>
    </message>
    <message>
        <source>... and %1</source>
        <translation>... ほか %1</translation>
    </message>
    <message>
        <source>Upload it anyway?</source>
        <translation>それでも書き込みますか？</translation>
    </message>
    <message>
        <source>No firmware information: %1 cannot be read.</source>
        <translation>ファームウェア情報なし: %1 を読み込めません。</translation>
    </message>
    <message>
        <source>ESC settings saved to %1</source>
        <translation>ESCの設定を保存しました: %1</translation>
    </message>
    <message>
        <source>ESC settings NOT saved: cannot write %1</source>
        <translation>ESCの設定は保存されていません: %1 に書き込めません</translation>
    </message>
</context>
<context>
    <name>orvek::CHistoryDlg</name>
    <message>
        <source>Settings History</source>
        <translation>設定履歴</translation>
    </message>
    <message>
        <source>Show &amp;all models</source>
        <translation>すべてのモデルを表示(&amp;A)</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>日時</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>種類</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>出所</translation>
    </message>
    <message>
        <source>Firmware</source>
        <translation>ファームウェア</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>メモ</translation>
    </message>
    <message>
        <source>Recorded settings</source>
        <translation>記録された設定</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>This record</source>
        <translation>この記録</translation>
    </message>
    <message>
        <source>On the page</source>
        <translation>画面の設定</translation>
    </message>
    <message>
        <source>The record beside the page</source>
        <translation>記録と画面の比較</translation>
    </message>
    <message>
        <source>heat 2, too much punch</source>
        <translation>予選2、パンチ強すぎ</translation>
    </message>
    <message>
        <source>E&amp;xport as .cfg</source>
        <translation>.cfg で書き出し(&amp;X)</translation>
    </message>
    <message>
        <source>differs</source>
        <translation>相違</translation>
    </message>
    <message>
        <source>Differs from the page</source>
        <translation>画面の設定と異なります</translation>
    </message>
    <message>
        <source>Not while a firmware update runs.</source>
        <translation>ファームウェア更新中はできません。</translation>
    </message>
    <message>
        <source>Loaded into the page; SEND SETTING writes it.</source>
        <translation>画面に読み込みました。設定送信で書き込みます。</translation>
    </message>
    <message>
        <source>Sav&amp;e note</source>
        <translation>メモを保存(&amp;E)</translation>
    </message>
    <message>
        <source>Saved as %1</source>
        <translation>%1 に保存しました</translation>
    </message>
    <message>
        <source>(edited)</source>
        <translation>（編集済み）</translation>
    </message>
    <message>
        <source>&amp;Note</source>
        <translation>メモ(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Load into the page</source>
        <translation>画面に読み込む(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Edit note</source>
        <translation>メモを編集(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>閉じる(&amp;C)</translation>
    </message>
</context>
<context>
    <name>orvek::CSaveSheetDlg</name>
    <message>
        <source>Save as Setup Sheet</source>
        <translation>セットアップシートとして保存</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>カテゴリー</translation>
    </message>
    <message>
        <source>Sheet name</source>
        <translation>シート名</translation>
    </message>
    <message>
        <source>Memo</source>
        <translation>メモ</translation>
    </message>
</context>
<context>
    <name>orvek::CSeriesDlg</name>
    <message>
        <source>unknown model</source>
        <translation>不明なモデル</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>カテゴリー</translation>
    </message>
    <message>
        <source>Setup sheet</source>
        <translation>セットアップシート</translation>
    </message>
    <message>
        <source>Settings file</source>
        <translation>設定ファイル</translation>
    </message>
    <message>
        <source>History record</source>
        <translation>履歴の記録</translation>
    </message>
</context>
<context>
    <name>orvek::SeriesPanel</name>
    <message>
        <source>1 setting changed</source>
        <translation>1項目変更</translation>
    </message>
    <message>
        <source>%1 settings changed</source>
        <translation>%1項目変更</translation>
    </message>
    <message>
        <source>ESC %1: %2</source>
        <translation>ESC %1: %2</translation>
    </message>
    <message>
        <source>unknown model</source>
        <translation>不明なモデル</translation>
    </message>
</context>
<context>
    <name>seriesCommandText</name>
    <message>
        <source>Series report (*.csv *.json)</source>
        <translation>連続書き込みレポート (*.csv *.json)</translation>
    </message>
</context>
<context>
    <name>seriesDialogText</name>
    <message>
        <source>Write Series</source>
        <translation>連続書き込み</translation>
    </message>
    <message>
        <source>The settings on the &amp;page</source>
        <translation>画面の設定(&amp;P)</translation>
    </message>
    <message>
        <source>A setup &amp;sheet</source>
        <translation>セットアップシート(&amp;S)</translation>
    </message>
    <message>
        <source>A settings &amp;file</source>
        <translation>設定ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>A history &amp;record</source>
        <translation>履歴の記録(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>参照(&amp;B)...</translation>
    </message>
    <message>
        <source>Series &amp;name</source>
        <translation>名前(&amp;N)</translation>
    </message>
    <message>
        <source>Number of &amp;ESCs</source>
        <translation>ESCの台数(&amp;E)</translation>
    </message>
    <message>
        <source>until I end it</source>
        <translation>終了するまで</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>開始</translation>
    </message>
    <message>
        <source>An ESC has no serial number: the series takes the next ESC once the one before has been unplugged (or powered off) and the new one is identified. The ESC on the line now is the first.</source>
        <translation>ESCにはシリアル番号がありません。前のESCを外す（または電源を切る）と、次に認識されたESCに書き込みます。今接続しているESCが1台目です。</translation>
    </message>
</context>
<context>
    <name>seriesPanelText</name>
    <message>
        <source>WRITE SERIES</source>
        <translation>連続書き込み</translation>
    </message>
    <message>
        <source>ESCs of the series</source>
        <translation>連続書き込みのESC</translation>
    </message>
    <message>
        <source>Series status</source>
        <translation>連続書き込みの状況</translation>
    </message>
    <message>
        <source>&amp;End Series</source>
        <translation>連続書き込みを終了(&amp;E)</translation>
    </message>
    <message>
        <source>Save &amp;Report...</source>
        <translation>レポートを保存(&amp;R)...</translation>
    </message>
    <message>
        <source>C&amp;lose</source>
        <translation>閉じる(&amp;L)</translation>
    </message>
</context>
<context>
    <name>windowText</name>
    <message>
        <source>About Tarnwick Racing ORVEK USB Link V1.1</source>
        <translation>Tarnwick Racing ORVEK USB Link V1.1 について</translation>
    </message>
    <message>
        <source>USB connected</source>
        <translation>USB接続</translation>
    </message>
    <message>
        <source>ESC connected</source>
        <translation>ESC接続</translation>
    </message>
    <message>
        <source>Program card connected</source>
        <translation>プログラムカード接続</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>はい</translation>
    </message>
    <message>
        <source>no</source>
        <translation>いいえ</translation>
    </message>
    <message>
        <source>Select a device: Device menu, Esc or Program Card</source>
        <translation>デバイスを選択: デバイスメニューのESCまたはプログラムカード</translation>
    </message>
    <message>
        <source>USER SUPPORT</source>
        <translation>ユーザーサポート</translation>
    </message>
    <message>
        <source>ESC SETUP</source>
        <translation>ESC設定</translation>
    </message>
    <message>
        <source>FIRMWARE</source>
        <translation>ファームウェア</translation>
    </message>
</context>
</TS>
