<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja" sourcelanguage="en">
<context>
    <name>lexamo-check</name>
    <message>
        <source> (line 2 of Option.txt is the stem without &quot;E.txt&quot; or &quot;J.txt&quot;: &quot;%1&quot; makes Lexamo look for &quot;%2&quot;)</source>
        <translation> (Option.txt の 2 行目は &quot;E.txt&quot; や &quot;J.txt&quot; を付けない語幹です: &quot;%1&quot; では Lexamo は &quot;%2&quot; を探します)</translation>
    </message>
    <message>
        <source> (there is %1: names must match in capitals too)</source>
        <translation> (%1 があります: 名前は大文字・小文字まで合わせてください)</translation>
    </message>
    <message>
        <source>Lexamo cannot read it: %1</source>
        <translation>Lexamo はこのファイルを読めません: %1</translation>
    </message>
    <message>
        <source>no course title: the file is empty</source>
        <translation>コース名がありません: ファイルが空です</translation>
    </message>
    <message>
        <source>the course title is empty</source>
        <translation>コース名が空です</translation>
    </message>
    <message>
        <source>no file stem: line 2 is missing</source>
        <translation>ファイル名の語幹がありません: 2 行目がありません</translation>
    </message>
    <message>
        <source>the stem %1 leads outside the course&apos;s folder: copying the course elsewhere will lose its sentence files</source>
        <translation>語幹 %1 はコースのフォルダーの外を指しています: コースを別の場所にコピーすると、文のファイルが付いてきません</translation>
    </message>
    <message>
        <source>Lexamo refuses the course: %1</source>
        <translation>Lexamo はこのコースを開けません: %1</translation>
    </message>
    <message>
        <source>not enough memory to check this course</source>
        <translation>このコースを確かめるにはメモリーが足りません</translation>
    </message>
    <message>
        <source>… and %1 more of this kind: %2</source>
        <translation>… ほかに同じ種類の問題が %1 件: %2</translation>
    </message>
    <message>
        <source>empty line: it becomes a question with one empty word</source>
        <translation>空の行: 空の単語 1 つだけの問題になります</translation>
    </message>
    <message>
        <source>empty word from a space at the start of the sentence</source>
        <translation>文の先頭のスペースから空の単語ができます</translation>
    </message>
    <message>
        <source>empty word from two spaces in a row</source>
        <translation>2 つ続いたスペースから空の単語ができます</translation>
    </message>
    <message>
        <source>empty word from a space at the end of the sentence</source>
        <translation>文の末尾のスペースから空の単語ができます</translation>
    </message>
    <message>
        <source>tab inside the sentence: it stays part of a word</source>
        <translation>文の中にタブがあります: 区切りにならず、単語の一部になります</translation>
    </message>
    <message>
        <source>full-width space inside the sentence: it stays part of a word</source>
        <translation>文の中に全角スペースがあります: 区切りにならず、単語の一部になります</translation>
    </message>
    <message>
        <source>the sentence is spoken shortened: a word, a run of punctuation, numbers or initials, or the sentence is too long to speak whole</source>
        <translation>文が短くされて読み上げられます: 単語か、句読点・数字・頭文字の連続か、文全体が長すぎて全部は読み上げられません</translation>
    </message>
    <message>
        <source>UTF-8 without a byte-order mark: Lexamo reads it as CP932 (Shift_JIS) and misreads every non-ASCII character; save it as UTF-8 with BOM</source>
        <translation>BOM のない UTF-8 です: Lexamo はこれを CP932 (Shift_JIS) として読むので、ASCII 以外の文字がすべて文字化けします。BOM 付き UTF-8 で保存してください</translation>
    </message>
    <message>
        <source>no sentences: the file is empty</source>
        <translation>英文がありません: ファイルが空です</translation>
    </message>
    <message>
        <source>sentence has %1 words (at most %2)</source>
        <translation>文が %1 語あります (%2 語まで)</translation>
    </message>
    <message>
        <source>%1; the learner hears &quot;%2&quot;</source>
        <translation>%1。学習者に聞こえるのは「%2」です</translation>
    </message>
    <message>
        <source>sentence has more than %1 words</source>
        <translation>%1 語を超える文</translation>
    </message>
    <message>
        <source>%1 line</source>
        <translation>%1 行</translation>
    </message>
    <message>
        <source>%1 lines</source>
        <translation>%1 行</translation>
    </message>
    <message>
        <source>%1 sentence</source>
        <translation>%1 文</translation>
    </message>
    <message>
        <source>%1 sentences</source>
        <translation>%1 文</translation>
    </message>
    <message>
        <source>question %1 has no Japanese</source>
        <translation>問題 %1 に日本語がありません</translation>
    </message>
    <message>
        <source>questions %1 to %2 have no Japanese</source>
        <translation>問題 %1〜%2 に日本語がありません</translation>
    </message>
    <message>
        <source>%1, fewer than the %2 of %3: %4</source>
        <translation>%1しかなく、%3 の %2より少ない: %4</translation>
    </message>
    <message>
        <source>%1, more than the %2 of %3: the extra lines are never shown</source>
        <translation>%1あり、%3 の %2より多い: 余分な行は表示されません</translation>
    </message>
    <message>
        <source>folder is not listed: %1</source>
        <translation>フォルダーが一覧に出ません: %1</translation>
    </message>
    <message>
        <source>its Option.txt is a folder</source>
        <translation>Option.txt がフォルダーになっています</translation>
    </message>
    <message>
        <source>its option file must be named exactly Option.txt, not %1</source>
        <translation>オプションファイルの名前は %1 ではなく、正確に Option.txt にしてください</translation>
    </message>
    <message>
        <source>a course must lie in the checked folder or one folder below it, not two</source>
        <translation>コースは確かめるフォルダーか、そのすぐ下のフォルダーに置いてください。2 つ下では見つかりません</translation>
    </message>
    <message>
        <source>it holds text files but no Option.txt</source>
        <translation>テキストファイルはありますが、Option.txt がありません</translation>
    </message>
    <message>
        <source>Lexamo cannot read its Option.txt</source>
        <translation>Lexamo がその Option.txt を読めません</translation>
    </message>
    <message>
        <source>its Option.txt gives no course title</source>
        <translation>その Option.txt にコース名がありません</translation>
    </message>
    <message>
        <source>cannot enter the folder</source>
        <translation>フォルダーに入れません</translation>
    </message>
    <message>
        <source>no course found: no Option.txt here or in a folder just below</source>
        <translation>コースが見つかりません: このフォルダーにも、すぐ下のフォルダーにも Option.txt がありません</translation>
    </message>
    <message>
        <source>Usage: lexamo-check [FOLDER]...
Checks the Lexamo courses in each FOLDER (default: the current folder).
Courses are found as Lexamo finds them: an Option.txt in the folder itself or in a
folder just below it. Line 1 of Option.txt is the course title, line 2 the file stem
S; the sentences are in SE.txt (English) and SJ.txt (Japanese), one per line.

Each finding is one line:  PATH[:LINE]: error|warning: MESSAGE
followed by one summary line:
  N courses checked: E with errors, W with warnings, F folders not listed
A file shows the first %1 findings of each kind; one more line counts the rest.

Errors (Lexamo refuses the course or shows it wrong):
  a file that cannot be opened or decoded (with Lexamo&apos;s own reason)
  Option.txt without a course title or without a file stem (line 2)
  an English file without sentences
  a sentence of more than 24 words
  a Japanese file with fewer lines than the English file
  a folder without any course
Warnings (Lexamo copes, but it is probably not what you meant):
  an empty word from a space at the start or end of a sentence, two spaces in a row,
    or an empty line
  a Japanese file with more lines than the English file
  a file without a byte-order mark that is UTF-8 with non-ASCII text (Lexamo reads
    such a file as CP932 / Shift_JIS; save it as UTF-8 with BOM, UTF-16 or CP932)
  a tab or a full-width space inside an English sentence
  an English sentence that is spoken shortened: a very long word, sentence or run
    of punctuation, numbers or initials
  an empty course title
  a file stem that leads outside the course&apos;s folder
  a folder that Lexamo will not list although it looks like a course

Exit status: 0 when no course has an error, 1 when any has, 2 for bad usage.
Options:
  -h, --help  show this help and exit
</source>
        <translation>使い方: lexamo-check [フォルダー]...
各フォルダー (指定がなければ今いるフォルダー) にある Lexamo のコースを確かめます。
コースは Lexamo と同じ方法で探します: フォルダー自身か、そのすぐ下のフォルダーにある
Option.txt です。Option.txt の 1 行目はコース名、2 行目はファイル名の語幹 S で、
文は SE.txt (英語) と SJ.txt (日本語) に 1 行に 1 文ずつ書きます。

見つかった問題は 1 件ごとに 1 行です:  パス[:行]: error|warning: メッセージ
パスの形と &quot;error&quot;・&quot;warning&quot; の語は、スクリプトで読めるよう英語の表示と同じです。
最後にまとめを 1 行表示します。数字は英語の表示と同じ順に並びます:
  N コースを検査しました: エラーあり E、警告あり W、一覧に出ないフォルダー F
同じファイルの同じ種類の問題は最初の %1 件だけを表示し、残りの件数を 1 行で示します。

エラー (Lexamo がコースを開けない、または正しく表示できないもの):
  開けない、または文字コードを解釈できないファイル (Lexamo 自身の理由付き)
  コース名またはファイル名の語幹 (2 行目) のない Option.txt
  英文が 1 つもない英語ファイル
  24 語を超える文
  英語ファイルより行の少ない日本語ファイル
  コースが 1 つもないフォルダー
警告 (Lexamo は動くが、おそらく意図どおりではないもの):
  文の先頭や末尾のスペース、2 つ続いたスペース、空の行からできる空の単語
  英語ファイルより行の多い日本語ファイル
  BOM がなく、ASCII 以外の文字を含む UTF-8 のファイル (Lexamo はこれを
    CP932 / Shift_JIS として読みます。BOM 付き UTF-8、UTF-16、または CP932 で
    保存し直してください)
  英文の中のタブや全角スペース
  短くして読み上げられる英文: とても長い単語や文、句読点・数字・頭文字の長い連続
  空のコース名
  コースのフォルダーの外を指すファイル名の語幹
  コースのように見えるのに Lexamo が一覧に出さないフォルダー

終了ステータス: エラーのあるコースがなければ 0、あれば 1、使い方が正しくなければ 2。
オプション:
  -h, --help  このヘルプを表示して終了します
</translation>
    </message>
    <message>
        <source>Try &apos;lexamo-check --help&apos;.</source>
        <translation>使い方は &apos;lexamo-check --help&apos; で表示できます。</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation>%1 というオプションはありません</translation>
    </message>
    <message>
        <source>%1 is not a folder</source>
        <translation>%1 はフォルダーではありません</translation>
    </message>
    <message>
        <source>not enough memory</source>
        <translation>メモリーが足りません</translation>
    </message>
    <message>
        <source>%1 checked: %2 with errors, %3 with warnings, %4 not listed</source>
        <translation>%1を検査しました: エラーあり %2、警告あり %3、一覧に出ない%4</translation>
    </message>
    <message>
        <source>%1 course</source>
        <translation>%1 コース</translation>
    </message>
    <message>
        <source>%1 courses</source>
        <translation>%1 コース</translation>
    </message>
    <message>
        <source>%1 folder</source>
        <translation>フォルダー %1</translation>
    </message>
    <message>
        <source>%1 folders</source>
        <translation>フォルダー %1</translation>
    </message>
</context>
</TS>
