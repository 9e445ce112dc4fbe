<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>CommandLine</name>
    <message>
        <source>%1: %2
Try &apos;%1 --help&apos; for more information.
</source>
        <translation>%1: %2
„%1 --help“ liefert weitere Informationen.
</translation>
    </message>
    <message>
        <source>A patience card game: build the four suits from ace to king.</source>
        <translation>Ein Patience-Kartenspiel: Bauen Sie die vier Farben vom Ass bis zum König auf.</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>unerwartetes Argument „%1“</translation>
    </message>
</context>
<context>
    <name>HelpFile</name>
    <message>
        <source>line %1: %2</source>
        <translation>Zeile %1: %2</translation>
    </message>
    <message>
        <source>the file is larger than a help file can be</source>
        <translation>die Datei ist größer, als eine Hilfedatei sein darf</translation>
    </message>
    <message>
        <source>the file is not text (UTF-8)</source>
        <translation>die Datei ist kein Text (UTF-8)</translation>
    </message>
    <message>
        <source>this is not a Marrowby help file</source>
        <translation>dies ist keine Hilfedatei von Marrowby</translation>
    </message>
    <message>
        <source>text before the first topic</source>
        <translation>Text vor dem ersten Thema</translation>
    </message>
    <message>
        <source>a topic needs a context number</source>
        <translation>ein Thema braucht eine Kontextnummer</translation>
    </message>
    <message>
        <source>topic %1 is there twice</source>
        <translation>Thema %1 kommt doppelt vor</translation>
    </message>
    <message>
        <source>topic %1 has no title</source>
        <translation>Thema %1 hat keinen Titel</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not understood here</source>
        <translation>„%1“ ist hier nicht zulässig</translation>
    </message>
    <message>
        <source>the file holds no topics</source>
        <translation>die Datei enthält keine Themen</translation>
    </message>
    <message>
        <source>the file is missing</source>
        <translation>die Datei fehlt</translation>
    </message>
    <message>
        <source>the file cannot be opened</source>
        <translation>die Datei lässt sich nicht öffnen</translation>
    </message>
    <message>
        <source>a title or index word longer than %1 characters</source>
        <translation>ein Titel oder Indexbegriff mit mehr als %1 Zeichen</translation>
    </message>
    <message>
        <source>more than %1 topics</source>
        <translation>mehr als %1 Themen</translation>
    </message>
    <message>
        <source>more than %1 index words</source>
        <translation>mehr als %1 Indexbegriffe</translation>
    </message>
    <message>
        <source>it is not a plain file</source>
        <translation>sie ist keine gewöhnliche Datei</translation>
    </message>
</context>
<context>
    <name>HelpMarkup</name>
    <message>
        <source>
&lt;p&gt;&lt;i&gt;The rest of this topic is too long to show.&lt;/i&gt;&lt;/p&gt;</source>
        <translation>
&lt;p&gt;&lt;i&gt;Der Rest dieses Themas ist zu lang, um ihn zu zeigen.&lt;/i&gt;&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>&lt;h2&gt;Using Help&lt;/h2&gt;
&lt;p&gt;The list on the left leads you to every part of the help:&lt;/p&gt;
&lt;ul&gt;
&lt;li&gt;&lt;b&gt;Contents&lt;/b&gt; lists the topics in reading order. Click one to read it.&lt;/li&gt;
&lt;li&gt;&lt;b&gt;Index&lt;/b&gt; lists the words the topics talk about. Type the first letters of a word
to find it, then click it or press Enter.&lt;/li&gt;
&lt;/ul&gt;
&lt;p&gt;Underlined words in a topic lead to other topics. &lt;b&gt;Back&lt;/b&gt; and &lt;b&gt;Forward&lt;/b&gt; take
you along the topics you have read.&lt;/p&gt;
&lt;p&gt;The help window stays open beside the game; close it whenever you like.&lt;/p&gt;</source>
        <translation>&lt;h2&gt;Hilfe verwenden&lt;/h2&gt;
&lt;p&gt;Die Liste links führt Sie zu allen Teilen der Hilfe:&lt;/p&gt;
&lt;ul&gt;
&lt;li&gt;&lt;b&gt;Inhalt&lt;/b&gt; zeigt die Themen in der Reihenfolge zum Lesen. Klicken Sie eines an, um es zu lesen.&lt;/li&gt;
&lt;li&gt;&lt;b&gt;Index&lt;/b&gt; zeigt die Begriffe, von denen die Themen handeln. Tippen Sie die ersten Buchstaben eines Begriffs,
um ihn zu finden, und klicken Sie ihn dann an oder drücken Sie die Eingabetaste.&lt;/li&gt;
&lt;/ul&gt;
&lt;p&gt;Unterstrichene Wörter in einem Thema führen zu anderen Themen. &lt;b&gt;Zurück&lt;/b&gt; und &lt;b&gt;Vor&lt;/b&gt; führen
Sie durch die Themen, die Sie schon gelesen haben.&lt;/p&gt;
&lt;p&gt;Das Hilfefenster bleibt neben dem Spiel offen; schließen Sie es, wann immer Sie möchten.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h2&gt;Help is not available&lt;/h2&gt;&lt;p&gt;The help file could not be read: %1.&lt;/p&gt;&lt;p&gt;It should be &lt;tt&gt;%2&lt;/tt&gt;.&lt;/p&gt;&lt;p&gt;The game is not affected: close this window and play on.&lt;/p&gt;</source>
        <translation>&lt;h2&gt;Hilfe ist nicht verfügbar&lt;/h2&gt;&lt;p&gt;Die Hilfedatei konnte nicht gelesen werden: %1.&lt;/p&gt;&lt;p&gt;Sie sollte &lt;tt&gt;%2&lt;/tt&gt; sein.&lt;/p&gt;&lt;p&gt;Das Spiel ist davon nicht betroffen: Schließen Sie dieses Fenster und spielen Sie weiter.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h2&gt;No help on this subject&lt;/h2&gt;&lt;p&gt;This help file has no topic numbered %1. The &lt;a href=&quot;%2&quot;&gt;contents&lt;/a&gt; may lead you to what you need.&lt;/p&gt;</source>
        <translation>&lt;h2&gt;Keine Hilfe zu diesem Thema&lt;/h2&gt;&lt;p&gt;Diese Hilfedatei hat kein Thema mit der Nummer %1. Der &lt;a href=&quot;%2&quot;&gt;Inhalt&lt;/a&gt; führt Sie vielleicht zu dem, was Sie suchen.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation>&amp;Inhalt</translation>
    </message>
    <message>
        <source>&amp;Index</source>
        <translation>In&amp;dex</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Zurück</translation>
    </message>
    <message>
        <source>&amp;Forward</source>
        <translation>&amp;Vor</translation>
    </message>
    <message>
        <source>Type a word to find</source>
        <translation>Suchbegriff eingeben</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Inhalt</translation>
    </message>
    <message>
        <source>Index</source>
        <translation>Index</translation>
    </message>
</context>
<context>
    <name>frmAbout</name>
    <message>
        <source>Developed by the Marrowby developers.</source>
        <translation>Entwickelt von den Marrowby-Entwicklern.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&amp;System Info...</source>
        <translation>&amp;Systeminfo...</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>Über %1</translation>
    </message>
    <message>
        <source>Version %1.%2.%3</source>
        <translation>Version %1.%2.%3</translation>
    </message>
    <message>
        <source>System Information Is Unavailable At This Time</source>
        <translation>Systeminformationen sind zurzeit nicht verfügbar</translation>
    </message>
</context>
<context>
    <name>frmDeck</name>
    <message>
        <source>Choose a card back</source>
        <translation>Kartenrücken wählen</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>blue crosshatch</source>
        <translation>blaues Gitter</translation>
    </message>
    <message>
        <source>red diamonds</source>
        <translation>rote Rauten</translation>
    </message>
    <message>
        <source>teal waves</source>
        <translation>blaugrüne Wellen</translation>
    </message>
    <message>
        <source>purple checks</source>
        <translation>violette Karos</translation>
    </message>
    <message>
        <source>orange sun</source>
        <translation>orange Sonne</translation>
    </message>
    <message>
        <source>gold stars on navy</source>
        <translation>goldene Sterne auf Marineblau</translation>
    </message>
    <message>
        <source>green scales</source>
        <translation>grüne Schuppen</translation>
    </message>
    <message>
        <source>brown tartan</source>
        <translation>braunes Schottenkaro</translation>
    </message>
    <message>
        <source>pink flowers</source>
        <translation>rosa Blumen</translation>
    </message>
    <message>
        <source>gold fans on black</source>
        <translation>goldene Fächer auf Schwarz</translation>
    </message>
    <message>
        <source>gold suits on maroon</source>
        <translation>goldene Farben auf Weinrot</translation>
    </message>
    <message>
        <source>grey honeycomb</source>
        <translation>graue Waben</translation>
    </message>
    <message>
        <source>Card back %1 of %2: %3</source>
        <translation>Kartenrücken %1 von %2: %3</translation>
    </message>
    <message>
        <source>%1, chosen</source>
        <translation>%1, gewählt</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;New Game</source>
        <translation>&amp;Neues Spiel</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>&amp;Deck...</source>
        <translation>&amp;Kartenrücken...</translation>
    </message>
    <message>
        <source>&amp;Music...</source>
        <translation>&amp;Musik...</translation>
    </message>
    <message>
        <source>&amp;Undo Last Move</source>
        <translation>Letzten Zug zu&amp;rücknehmen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Contents...</source>
        <translation>&amp;Inhalt...</translation>
    </message>
    <message>
        <source>&amp;Halvren Games Web Site...</source>
        <translation>&amp;Website von Halvren Games...</translation>
    </message>
    <message>
        <source>&amp;About Marrowby...</source>
        <translation>Ü&amp;ber Marrowby...</translation>
    </message>
    <message>
        <source>Draw</source>
        <translation>Ziehen</translation>
    </message>
    <message>
        <source>Re-Shuffle</source>
        <translation>Neu mischen</translation>
    </message>
    <message>
        <source>%1 Shuffles Left</source>
        <translation>Noch %1× mischen</translation>
    </message>
    <message>
        <source>1 Card Left</source>
        <translation>1 Karte übrig</translation>
    </message>
    <message>
        <source>%1 Cards Left</source>
        <translation>%1 Karten übrig</translation>
    </message>
    <message>
        <source>1 Shuffle Left</source>
        <translation>Noch 1× mischen</translation>
    </message>
    <message>
        <source>To Cancel the Draw, Click on the Draw button again.</source>
        <translation>Um das Ziehen abzubrechen, klicken Sie noch einmal auf „Ziehen“.</translation>
    </message>
    <message>
        <source>Clubs</source>
        <translation>Kreuz</translation>
    </message>
    <message>
        <source>Diamonds</source>
        <translation>Karo</translation>
    </message>
    <message>
        <source>Hearts</source>
        <translation>Herz</translation>
    </message>
    <message>
        <source>Spades</source>
        <translation>Pik</translation>
    </message>
    <message>
        <source>Ace</source>
        <translation>Ass</translation>
    </message>
    <message>
        <source>Jack</source>
        <translation>Bube</translation>
    </message>
    <message>
        <source>Queen</source>
        <translation>Dame</translation>
    </message>
    <message>
        <source>King</source>
        <translation>König</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%2 %1</translation>
    </message>
    <message>
        <source>Pile %1: empty</source>
        <translation>Stapel %1: leer</translation>
    </message>
    <message>
        <source>Pile %1: %2</source>
        <translation>Stapel %1: %2</translation>
    </message>
    <message>
        <source>%1 home pile: empty</source>
        <translation>Ablagestapel %1: leer</translation>
    </message>
    <message>
        <source>%1 home pile: %2</source>
        <translation>Ablagestapel %1: %2</translation>
    </message>
    <message>
        <source>Table</source>
        <translation>Tisch</translation>
    </message>
    <message>
        <source>Locate marker</source>
        <translation>Suchmarkierung</translation>
    </message>
    <message>
        <source>Draw marker</source>
        <translation>Ziehmarkierung</translation>
    </message>
    <message>
        <source>No neighbour of this card lies on the piles</source>
        <translation>Kein Nachbar dieser Karte liegt auf den Stapeln</translation>
    </message>
    <message>
        <source>Draw marker over %1</source>
        <translation>Ziehmarkierung über %1</translation>
    </message>
    <message>
        <source>%1 placed</source>
        <translation>%1 gelegt</translation>
    </message>
    <message>
        <source>%1 put back</source>
        <translation>%1 zurückgelegt</translation>
    </message>
    <message>
        <source>Holding %1</source>
        <translation>%1 in der Hand</translation>
    </message>
    <message>
        <source>Marker over %1 on pile %2</source>
        <translation>Markierung über %1 auf Stapel %2</translation>
    </message>
</context>
<context>
    <name>frmMusic</name>
    <message>
        <source>Music</source>
        <translation>Musik</translation>
    </message>
    <message>
        <source>Select a song to be played when the game is won</source>
        <translation>Wählen Sie das Lied, das bei einem Sieg gespielt wird</translation>
    </message>
    <message>
        <source>Play &amp;Preview</source>
        <translation>&amp;Anhören</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>Stop &amp;Preview</source>
        <translation>&amp;Anhalten</translation>
    </message>
    <message>
        <source>(No Music)</source>
        <translation>(Keine Musik)</translation>
    </message>
</context>
</TS>
