<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>AppState</name>
    <message numerus="yes">
        <source>Restored %Ln file(s) to where they were.</source>
        <translation>
            <numerusform>Restored %Ln file to where it was.</numerusform>
            <numerusform>Restored %Ln files to where they were.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n year(s) ago</source>
        <translation>
            <numerusform>%n year ago</numerusform>
            <numerusform>%n years ago</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n year(s)</source>
        <translation>
            <numerusform>in %n year</numerusform>
            <numerusform>in %n years</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n month(s) ago</source>
        <translation>
            <numerusform>%n month ago</numerusform>
            <numerusform>%n months ago</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n month(s)</source>
        <translation>
            <numerusform>in %n month</numerusform>
            <numerusform>in %n months</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n week(s) ago</source>
        <translation>
            <numerusform>%n week ago</numerusform>
            <numerusform>%n weeks ago</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n week(s)</source>
        <translation>
            <numerusform>in %n week</numerusform>
            <numerusform>in %n weeks</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n day(s) ago</source>
        <translation>
            <numerusform>%n day ago</numerusform>
            <numerusform>%n days ago</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n day(s)</source>
        <translation>
            <numerusform>in %n day</numerusform>
            <numerusform>in %n days</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s) ago</source>
        <translation>
            <numerusform>%n hour ago</numerusform>
            <numerusform>%n hours ago</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n hour(s)</source>
        <translation>
            <numerusform>in %n hour</numerusform>
            <numerusform>in %n hours</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s) ago</source>
        <translation>
            <numerusform>%n minute ago</numerusform>
            <numerusform>%n minutes ago</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n minute(s)</source>
        <translation>
            <numerusform>in %n minute</numerusform>
            <numerusform>in %n minutes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n second(s) ago</source>
        <translation>
            <numerusform>%n second ago</numerusform>
            <numerusform>%n seconds ago</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n second(s)</source>
        <translation>
            <numerusform>in %n second</numerusform>
            <numerusform>in %n seconds</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Found %Ln file(s)</source>
        <translation>
            <numerusform>Found %Ln file</numerusform>
            <numerusform>Found %Ln files</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Sorted your newest %Ln file(s). Run it again for the rest.</source>
        <translation>
            <numerusform>Sorted your newest %Ln file. Run it again for the rest.</numerusform>
            <numerusform>Sorted your newest %Ln files. Run it again for the rest.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>You&apos;ve reached this month&apos;s limit of %Ln file(s). It resets on the 1st.</source>
        <translation>
            <numerusform>You&apos;ve reached this month&apos;s limit of %Ln file. It resets on the 1st.</numerusform>
            <numerusform>You&apos;ve reached this month&apos;s limit of %Ln files. It resets on the 1st.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Sorted your newest %Ln file(s). You&apos;ve reached this month&apos;s limit.</source>
        <translation>
            <numerusform>Sorted your newest %Ln file. You&apos;ve reached this month&apos;s limit.</numerusform>
            <numerusform>Sorted your newest %Ln files. You&apos;ve reached this month&apos;s limit.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Looking at %Ln file(s)</source>
        <translation>
            <numerusform>Looking at %Ln file</numerusform>
            <numerusform>Looking at %Ln files</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Restored %1 of %Ln file(s); the rest stayed where they are.</source>
        <translation>
            <numerusform>Restored %1 of %Ln file; the rest stayed where it is.</numerusform>
            <numerusform>Restored %1 of %Ln files; the rest stayed where they are.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Stopped. This refresh cost %1 for %Ln file(s) sent to Claude.</source>
        <translation>
            <numerusform>Stopped. This refresh cost %1 for %Ln file sent to Claude.</numerusform>
            <numerusform>Stopped. This refresh cost %1 for %Ln files sent to Claude.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>About %1 for %Ln file(s)</source>
        <translation>
            <numerusform>About %1 for %Ln file</numerusform>
            <numerusform>About %1 for %Ln files</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Stopped after %Ln file(s) sent to the model.</source>
        <translation>
            <numerusform>Stopped after %Ln file sent to the model.</numerusform>
            <numerusform>Stopped after %Ln files sent to the model.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>DonePanel</name>
    <message numerus="yes">
        <source>%Ln file(s) need(s) you</source>
        <translation>
            <numerusform>%Ln file needs you</numerusform>
            <numerusform>%Ln files need you</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Format</name>
    <message numerus="yes">
        <source>%n byte(s)</source>
        <translation>
            <numerusform>%n byte</numerusform>
            <numerusform>%n bytes</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>HistoryView</name>
    <message numerus="yes">
        <source>%Ln file(s) go back</source>
        <translation>
            <numerusform>%Ln file goes back</numerusform>
            <numerusform>%Ln files go back</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln stay where they are</source>
        <translation>
            <numerusform>%Ln stays where it is</numerusform>
            <numerusform>%Ln stay where they are</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>IdlePanel</name>
    <message numerus="yes">
        <source>new file(s)</source>
        <translation>
            <numerusform>new file</numerusform>
            <numerusform>new files</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>project(s)</source>
        <translation>
            <numerusform>project</numerusform>
            <numerusform>projects</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>folder(s)</source>
        <translation>
            <numerusform>folder</numerusform>
            <numerusform>folders</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>JunkModel</name>
    <message numerus="yes">
        <source>%1 of %Ln file(s)</source>
        <translation>
            <numerusform>%1 of %Ln file</numerusform>
            <numerusform>%1 of %Ln files</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>+ %Ln more like these. Use Keep all to keep the whole group.</source>
        <translation>
            <numerusform>+ %Ln more like these. Use Keep all to keep the whole group.</numerusform>
            <numerusform>+ %Ln more like these. Use Keep all to keep the whole group.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>LocalModelCard</name>
    <message numerus="yes">
        <source>%n model(s) found.</source>
        <translation>
            <numerusform>%n model found.</numerusform>
            <numerusform>%n models found.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>MovedSlide</name>
    <message numerus="yes">
        <source>file(s) found a home.</source>
        <translation>
            <numerusform>file found a home.</numerusform>
            <numerusform>files found a home.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Notifier</name>
    <message numerus="yes">
        <source>%Ln change(s) are waiting. Nothing moves until you say so.</source>
        <translation>
            <numerusform>%Ln change is waiting. Nothing moves until you say so.</numerusform>
            <numerusform>%Ln changes are waiting. Nothing moves until you say so.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RecapController</name>
    <message numerus="yes">
        <source>+ %Ln more</source>
        <translation>
            <numerusform>+ %Ln more</numerusform>
            <numerusform>+ %Ln more</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RenamedSlide</name>
    <message numerus="yes">
        <source>name(s) made clear.</source>
        <translation>
            <numerusform>name made clear.</numerusform>
            <numerusform>names made clear.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ReviewController</name>
    <message numerus="yes">
        <source>%Ln file(s) · sorted by what&apos;s inside, not the name</source>
        <translation>
            <numerusform>%Ln file · sorted by what&apos;s inside, not the name</numerusform>
            <numerusform>%Ln files · sorted by what&apos;s inside, not the name</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Approve %Ln change(s)</source>
        <translation>
            <numerusform>Approve %Ln change</numerusform>
            <numerusform>Approve %Ln changes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Added %1 · %Ln file(s) sorted into it.</source>
        <translation>
            <numerusform>Added %1 · %Ln file sorted into it.</numerusform>
            <numerusform>Added %1 · %Ln files sorted into it.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SidebarRow</name>
    <message numerus="yes">
        <source>%1, %Ln file(s)</source>
        <translation>
            <numerusform>%1, %Ln file</numerusform>
            <numerusform>%1, %Ln files</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SuggestionBanner</name>
    <message numerus="yes">
        <source>Looks like a project: &lt;b&gt;%2&lt;/b&gt;&lt;font color=&quot;%1&quot;&gt; (%Ln file(s))&lt;/font&gt;</source>
        <translation>
            <numerusform>Looks like a project: &lt;b&gt;%2&lt;/b&gt;&lt;font color=&quot;%1&quot;&gt; (%Ln file)&lt;/font&gt;</numerusform>
            <numerusform>Looks like a project: &lt;b&gt;%2&lt;/b&gt;&lt;font color=&quot;%1&quot;&gt; (%Ln files)&lt;/font&gt;</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Usage</name>
    <message numerus="yes">
        <source>file(s) this month</source>
        <translation>
            <numerusform>file this month</numerusform>
            <numerusform>files this month</numerusform>
        </translation>
    </message>
</context>
</TS>
