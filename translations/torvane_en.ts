<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Torvane</name>
    <message>
        <source>対局</source>
        <comment>menu</comment>
        <translation>Game</translation>
    </message>
    <message>
        <source>対局(人間)</source>
        <comment>menu</comment>
        <translation>Two players</translation>
    </message>
    <message>
        <source>スタート</source>
        <comment>menu</comment>
        <translation>Start</translation>
    </message>
    <message>
        <source>対局(COM)</source>
        <comment>menu</comment>
        <translation>Play COM</translation>
    </message>
    <message>
        <source>先手</source>
        <comment>menu</comment>
        <translation>Sente (you first)</translation>
    </message>
    <message>
        <source>後手</source>
        <comment>menu</comment>
        <translation>Gote (COM first)</translation>
    </message>
    <message>
        <source>COM対局ﾚﾍﾞﾙ</source>
        <comment>menu</comment>
        <translation>COM level</translation>
    </message>
    <message>
        <source>ﾚﾍﾞﾙ1</source>
        <comment>menu</comment>
        <translation>Level 1</translation>
    </message>
    <message>
        <source>ﾚﾍﾞﾙ2</source>
        <comment>menu</comment>
        <translation>Level 2</translation>
    </message>
    <message>
        <source>ﾚﾍﾞﾙ3</source>
        <comment>menu</comment>
        <translation>Level 3</translation>
    </message>
    <message>
        <source>終わり</source>
        <comment>menu</comment>
        <translation>Quit</translation>
    </message>
    <message>
        <source>戻</source>
        <comment>menu</comment>
        <translation>Back</translation>
    </message>
    <message>
        <source>進</source>
        <comment>menu</comment>
        <translation>Forward</translation>
    </message>
    <message>
        <source>局面</source>
        <comment>menu</comment>
        <translation>Position</translation>
    </message>
    <message>
        <source>最初</source>
        <comment>menu</comment>
        <translation>First move</translation>
    </message>
    <message>
        <source>反転</source>
        <comment>menu</comment>
        <translation>Flip board</translation>
    </message>
    <message>
        <source>棋譜</source>
        <comment>menu</comment>
        <translation>Record</translation>
    </message>
    <message>
        <source>読込</source>
        <comment>menu</comment>
        <translation>Open</translation>
    </message>
    <message>
        <source>書込</source>
        <comment>menu</comment>
        <translation>Save</translation>
    </message>
    <message>
        <source>ｵﾌﾟｼｮﾝ</source>
        <comment>menu</comment>
        <translation>Options</translation>
    </message>
    <message>
        <source>背景画</source>
        <comment>menu</comment>
        <translation>Background</translation>
    </message>
    <message>
        <source>緑</source>
        <comment>menu</comment>
        <translation>Green</translation>
    </message>
    <message>
        <source>畳</source>
        <comment>menu</comment>
        <translation>Tatami</translation>
    </message>
    <message>
        <source>竹</source>
        <comment>menu</comment>
        <translation>Bamboo</translation>
    </message>
    <message>
        <source>宇宙</source>
        <comment>menu</comment>
        <translation>Space</translation>
    </message>
    <message>
        <source>煉瓦</source>
        <comment>menu</comment>
        <translation>Brick</translation>
    </message>
    <message>
        <source>移動指導</source>
        <comment>menu</comment>
        <translation>Show moves</translation>
    </message>
    <message>
        <source>経過時間</source>
        <comment>menu</comment>
        <translation>Clocks</translation>
    </message>
    <message>
        <source>BGM</source>
        <comment>menu</comment>
        <translation>Music</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ</source>
        <comment>menu</comment>
        <translation>Handicap</translation>
    </message>
    <message>
        <source>上げる</source>
        <comment>menu</comment>
        <translation>Raise</translation>
    </message>
    <message>
        <source>下げる</source>
        <comment>menu</comment>
        <translation>Lower</translation>
    </message>
    <message>
        <source>その他</source>
        <comment>menu</comment>
        <translation>Help</translation>
    </message>
    <message>
        <source>解説</source>
        <comment>menu</comment>
        <translation>How to play</translation>
    </message>
    <message>
        <source>バージョン情報</source>
        <comment>menu</comment>
        <translation>About Torvane</translation>
    </message>
    <message>
        <source>先手の番です</source>
        <translation>Sente to move</translation>
    </message>
    <message>
        <source>後手の番です</source>
        <translation>Gote to move</translation>
    </message>
    <message>
        <source>MANの番です</source>
        <translation>Your move</translation>
    </message>
    <message>
        <source>OKですか？</source>
        <translation>Ready?</translation>
    </message>
    <message>
        <source>マウスの右をクリックして下さい</source>
        <translation>This piece must promote: right-click the square</translation>
    </message>
    <message>
        <source>棋譜を &apos;進 &apos;で進めて下さい</source>
        <translation>Step through the record with &apos;Forward&apos;</translation>
    </message>
    <message>
        <source>新規に対局してください</source>
        <translation>Please start a new game</translation>
    </message>
    <message>
        <source>「対局」で始めて下さい</source>
        <translation>Start a game from the Game menu</translation>
    </message>
    <message>
        <source>できません</source>
        <translation>Not possible</translation>
    </message>
    <message>
        <source>終わり</source>
        <translation>That was the last move</translation>
    </message>
    <message>
        <source>棋譜ﾓｰﾄﾞではできません</source>
        <translation>Not possible while a record is shown</translation>
    </message>
    <message>
        <source>対局途中ではできません</source>
        <translation>Not possible during a game</translation>
    </message>
    <message>
        <source>反転後ではできません</source>
        <translation>Not possible with the board flipped</translation>
    </message>
    <message>
        <source>局面→最初にして下さい</source>
        <translation>Choose Position → First move first</translation>
    </message>
    <message>
        <source>反転後は書き込みできません</source>
        <translation>A flipped board cannot be saved</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｷｬｯﾌﾟ設定後は書き込みできません</source>
        <translation>A handicap game cannot be saved</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ名が入力されていません</source>
        <translation>No file name was given</translation>
    </message>
    <message>
        <source>保存するデータがありません</source>
        <translation>There are no moves to save</translation>
    </message>
    <message>
        <source>棋譜ﾌｧｲﾙを作成できません</source>
        <translation>The record file cannot be made</translation>
    </message>
    <message>
        <source>棋譜を書き込みました</source>
        <translation>The record was saved</translation>
    </message>
    <message>
        <source>棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません</source>
        <translation>The record file holds no moves</translation>
    </message>
    <message>
        <source>棋譜が長すぎるため 500手目までを読み込みました</source>
        <translation>The record is too long: its first 500 moves were read</translation>
    </message>
    <message>
        <source> 読み込みました</source>
        <translation>The record was read</translation>
    </message>
    <message>
        <source>棋譜ﾌｧｲﾙが大きすぎます</source>
        <translation>The record file is too large</translation>
    </message>
    <message>
        <source>棋譜ﾌｧｲﾙを開けません</source>
        <translation>The record file cannot be opened</translation>
    </message>
    <message>
        <source>ｺﾝﾋﾟｭｰﾀは指す手がありません。あなたの勝ちです</source>
        <translation>The computer has no move left. You win</translation>
    </message>
    <message>
        <source>500手に達したので引き分けです</source>
        <translation>500 moves played: the game is a draw</translation>
    </message>
    <message>
        <source>あなたの勝ちです</source>
        <translation>You win</translation>
    </message>
    <message>
        <source>ｺﾝﾋﾟｭｰﾀの勝ちです</source>
        <translation>The computer wins</translation>
    </message>
    <message>
        <source>先手の勝ちです</source>
        <translation>Sente wins</translation>
    </message>
    <message>
        <source>後手の勝ちです</source>
        <translation>Gote wins</translation>
    </message>
    <message>
        <source>環境設定ﾌｧｲﾙを作成できません</source>
        <translation>The settings file cannot be made</translation>
    </message>
    <message>
        <source>環境設定ﾌｧｲﾙを読み込めないため、標準の設定にしました</source>
        <translation>The settings file cannot be read, so the standard settings are used</translation>
    </message>
    <message>
        <source>Direct Soundインターフェースが作成できません。</source>
        <translation>The sound device cannot be opened.</translation>
    </message>
    <message>
        <source>ﾃﾞﾊﾞｲｽが準備できていません</source>
        <translation>The device is not ready</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Game over</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定</source>
        <translation>Handicap</translation>
    </message>
    <message>
        <source>環境設定</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>戻る</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>開始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>進む</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>反転</source>
        <translation>Flip board</translation>
    </message>
    <message>
        <source>棋譜書込</source>
        <translation>Save record</translation>
    </message>
    <message>
        <source>棋譜保存</source>
        <translation>Save record</translation>
    </message>
    <message>
        <source>棋譜</source>
        <translation>Record</translation>
    </message>
    <message>
        <source>対局</source>
        <translation>Game</translation>
    </message>
    <message>
        <source>再開(COM)</source>
        <translation>Resume (COM)</translation>
    </message>
    <message>
        <source>成り</source>
        <translation>Promote</translation>
    </message>
    <message>
        <source>終局</source>
        <translation>Game over</translation>
    </message>
    <message>
        <source>ｴﾗｰ</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>思考中</source>
        <translation>Thinking</translation>
    </message>
    <message>
        <source>手目</source>
        <translation>moves</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:名人</source>
        <translation>Handicap: Meijin</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:８段</source>
        <translation>Handicap: 8 dan</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:７段</source>
        <translation>Handicap: 7 dan</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:６段</source>
        <translation>Handicap: 6 dan</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:５段</source>
        <translation>Handicap: 5 dan</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:４段</source>
        <translation>Handicap: 4 dan</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:３段</source>
        <translation>Handicap: 3 dan</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２段</source>
        <translation>Handicap: 2 dan</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:初段</source>
        <translation>Handicap: 1 dan</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:１級</source>
        <translation>Handicap: 1 kyu</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２級</source>
        <translation>Handicap: 2 kyu</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:３級</source>
        <translation>Handicap: 3 kyu</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:４級</source>
        <translation>Handicap: 4 kyu</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:５級</source>
        <translation>Handicap: 5 kyu</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:６級</source>
        <translation>Handicap: 6 kyu</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:７級</source>
        <translation>Handicap: 7 kyu</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:８級</source>
        <translation>Handicap: 8 kyu</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:９級</source>
        <translation>Handicap: 9 kyu</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:10級</source>
        <translation>Handicap: 10 kyu</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:11級</source>
        <translation>Handicap: 11 kyu</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:12級</source>
        <translation>Handicap: 12 kyu</translation>
    </message>
    <message>
        <source>１</source>
        <translation>1</translation>
    </message>
    <message>
        <source>２</source>
        <translation>2</translation>
    </message>
    <message>
        <source>３</source>
        <translation>3</translation>
    </message>
    <message>
        <source>４</source>
        <translation>4</translation>
    </message>
    <message>
        <source>５</source>
        <translation>5</translation>
    </message>
    <message>
        <source>６</source>
        <translation>6</translation>
    </message>
    <message>
        <source>７</source>
        <translation>7</translation>
    </message>
    <message>
        <source>８</source>
        <translation>8</translation>
    </message>
    <message>
        <source>９</source>
        <translation>9</translation>
    </message>
    <message>
        <source>一</source>
        <translation>1</translation>
    </message>
    <message>
        <source>二</source>
        <translation>2</translation>
    </message>
    <message>
        <source>三</source>
        <translation>3</translation>
    </message>
    <message>
        <source>四</source>
        <translation>4</translation>
    </message>
    <message>
        <source>五</source>
        <translation>5</translation>
    </message>
    <message>
        <source>六</source>
        <translation>6</translation>
    </message>
    <message>
        <source>七</source>
        <translation>7</translation>
    </message>
    <message>
        <source>八</source>
        <translation>8</translation>
    </message>
    <message>
        <source>九</source>
        <translation>9</translation>
    </message>
    <message>
        <source>歩</source>
        <translation>P</translation>
    </message>
    <message>
        <source>と</source>
        <translation>+P</translation>
    </message>
    <message>
        <source>香</source>
        <translation>L</translation>
    </message>
    <message>
        <source>香成</source>
        <translation>+L</translation>
    </message>
    <message>
        <source>桂</source>
        <translation>N</translation>
    </message>
    <message>
        <source>桂成</source>
        <translation>+N</translation>
    </message>
    <message>
        <source>銀</source>
        <translation>S</translation>
    </message>
    <message>
        <source>銀成</source>
        <translation>+S</translation>
    </message>
    <message>
        <source>金</source>
        <translation>G</translation>
    </message>
    <message>
        <source>角</source>
        <translation>B</translation>
    </message>
    <message>
        <source>角成</source>
        <translation>+B</translation>
    </message>
    <message>
        <source>飛</source>
        <translation>R</translation>
    </message>
    <message>
        <source>飛成</source>
        <translation>+R</translation>
    </message>
    <message>
        <source>王</source>
        <translation>K</translation>
    </message>
    <message>
        <source>%1 は大きすぎるため読み込めません（16MBまで）</source>
        <translation>%1 is too large to read (16 MB at most)</translation>
    </message>
    <message>
        <source>%1 を読み込めません</source>
        <translation>%1 cannot be read</translation>
    </message>
    <message>
        <source>元のﾌｧｲﾙは %1 に残しました</source>
        <translation>The old file was kept as %1</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ名 ：</source>
        <translation>File name:</translation>
    </message>
    <message>
        <source>後    手 ：</source>
        <translation>Gote:</translation>
    </message>
    <message>
        <source>先    手 ：</source>
        <translation>Sente:</translation>
    </message>
    <message>
        <source>対 局 名：</source>
        <translation>Game:</translation>
    </message>
    <message>
        <source>バージョン情報</source>
        <translation>About Torvane</translation>
    </message>
    <message>
        <source>将棋ゲーム</source>
        <translation>A shogi game</translation>
    </message>
    <message>
        <source>ホームページ</source>
        <translation>Home page</translation>
    </message>
    <message>
        <source>O K</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>あなた</source>
        <translation>You</translation>
    </message>
    <message>
        <source>先手</source>
        <translation>Sente</translation>
    </message>
    <message>
        <source>後手</source>
        <translation>Gote</translation>
    </message>
    <message>
        <source>あなた</source>
        <comment>whose</comment>
        <translation>Your</translation>
    </message>
    <message>
        <source>COM</source>
        <comment>whose</comment>
        <translation>COM&apos;s</translation>
    </message>
    <message>
        <source>先手</source>
        <comment>whose</comment>
        <translation>Sente&apos;s</translation>
    </message>
    <message>
        <source>後手</source>
        <comment>whose</comment>
        <translation>Gote&apos;s</translation>
    </message>
    <message>
        <source>歩</source>
        <comment>reader</comment>
        <translation>Pawn</translation>
    </message>
    <message>
        <source>と</source>
        <comment>reader</comment>
        <translation>Tokin</translation>
    </message>
    <message>
        <source>香</source>
        <comment>reader</comment>
        <translation>Lance</translation>
    </message>
    <message>
        <source>成香</source>
        <comment>reader</comment>
        <translation>Promoted lance</translation>
    </message>
    <message>
        <source>桂</source>
        <comment>reader</comment>
        <translation>Knight</translation>
    </message>
    <message>
        <source>成桂</source>
        <comment>reader</comment>
        <translation>Promoted knight</translation>
    </message>
    <message>
        <source>銀</source>
        <comment>reader</comment>
        <translation>Silver</translation>
    </message>
    <message>
        <source>成銀</source>
        <comment>reader</comment>
        <translation>Promoted silver</translation>
    </message>
    <message>
        <source>金</source>
        <comment>reader</comment>
        <translation>Gold</translation>
    </message>
    <message>
        <source>角</source>
        <comment>reader</comment>
        <translation>Bishop</translation>
    </message>
    <message>
        <source>馬</source>
        <comment>reader</comment>
        <translation>Horse</translation>
    </message>
    <message>
        <source>飛</source>
        <comment>reader</comment>
        <translation>Rook</translation>
    </message>
    <message>
        <source>龍</source>
        <comment>reader</comment>
        <translation>Dragon</translation>
    </message>
    <message>
        <source>王</source>
        <comment>reader</comment>
        <translation>King</translation>
    </message>
    <message>
        <source>香成</source>
        <comment>reader</comment>
        <translation>Lance promotes</translation>
    </message>
    <message>
        <source>桂成</source>
        <comment>reader</comment>
        <translation>Knight promotes</translation>
    </message>
    <message>
        <source>銀成</source>
        <comment>reader</comment>
        <translation>Silver promotes</translation>
    </message>
    <message>
        <source>角成</source>
        <comment>reader</comment>
        <translation>Bishop promotes</translation>
    </message>
    <message>
        <source>飛成</source>
        <comment>reader</comment>
        <translation>Rook promotes</translation>
    </message>
    <message>
        <source>%1%2%3</source>
        <comment>a move: file, rank, piece</comment>
        <translation>%1%2 %3</translation>
    </message>
    <message>
        <source>%1の持ち駒</source>
        <translation>%1 hand</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>none</translation>
    </message>
    <message>
        <source>%1の時間</source>
        <translation>%1 clock</translation>
    </message>
    <message>
        <source>表示なし</source>
        <translation>not shown</translation>
    </message>
    <message>
        <source>%1の指し手</source>
        <translation>%1 move</translation>
    </message>
    <message>
        <source>%1手目</source>
        <translation>Move %1</translation>
    </message>
    <message>
        <source>レベル %1</source>
        <translation>Level %1</translation>
    </message>
    <message>
        <source>レベル表示なし</source>
        <translation>No level shown</translation>
    </message>
    <message>
        <source>ハンディキャップなし</source>
        <translation>No handicap</translation>
    </message>
    <message>
        <source>入力中の指し手</source>
        <translation>Move being typed</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>将棋盤</source>
        <translation>Board</translation>
    </message>
    <message>
        <source>前回</source>
        <comment>menu</comment>
        <translation>Last game</translation>
    </message>
    <message>
        <source>前回の対局はありません</source>
        <translation>There is no last game</translation>
    </message>
    <message>
        <source>前回</source>
        <translation>Last game</translation>
    </message>
</context>
</TS>
